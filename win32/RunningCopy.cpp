#include "win32/RunningCopy.h"

#include <windows.h>

namespace vantrel {

namespace {

BOOL CALLBACK findMarkedWindow(HWND window, LPARAM found) {
    if (GetPropW(window, L"Vantrel Pro") == reinterpret_cast<HANDLE>(1)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

bool bringRunningCopyToFront() {
    HWND found = nullptr;
    EnumWindows(findMarkedWindow, reinterpret_cast<LPARAM>(&found));
    if (!found) {
        return false;
    }
    ShowWindow(found, IsIconic(found) ? SW_RESTORE : SW_SHOWNORMAL);
    SetForegroundWindow(found);
    return true;
}

} // namespace vantrel
