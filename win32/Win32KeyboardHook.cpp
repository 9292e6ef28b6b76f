#include "win32/Win32KeyboardHook.h"

#include "pcsetup/KeyCapture.h"
#include "win32/KeyHookVerdict.h"

namespace vantrel {

namespace {

// The hook procedure has no place for data of its own; the hook is one per thread.
thread_local KeyCapture* hookedCapture = nullptr;

HeldKeys keysHeldNow() {
    HeldKeys held;
    for (int code = 1; code < static_cast<int>(KEY_CODE_COUNT); ++code) {
        if ((GetAsyncKeyState(code) & 0x8000) != 0) {
            held.press(static_cast<KeyCode>(code));
        }
    }
    return held;
}

} // namespace

Win32KeyboardHook::~Win32KeyboardHook() {
    remove();
    if (mark_) {
        CloseHandle(mark_);
    }
}

bool Win32KeyboardHook::claim() {
    mark_ = CreateMutexW(nullptr, FALSE, L"KbdHook");
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mark_);
        mark_ = nullptr;
        return false;
    }
    return true;
}

void Win32KeyboardHook::install(KeyCapture& capture) {
    hookedCapture = &capture;
    hook_ = SetWindowsHookExW(WH_KEYBOARD, hookProcedure, nullptr, GetCurrentThreadId());
}

void Win32KeyboardHook::remove() {
    if (hook_) {
        UnhookWindowsHookEx(hook_);
        hook_ = nullptr;
    }
    hookedCapture = nullptr;
}

LRESULT CALLBACK Win32KeyboardHook::hookProcedure(int code, WPARAM wParam, LPARAM lParam) {
    if (!hookedCapture) {
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    if (keyHookVerdict(code, wParam, lParam, *hookedCapture, keysHeldNow) ==
        KeyHookVerdict::Consume) {
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace vantrel
