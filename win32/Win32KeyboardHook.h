#pragma once

#include "pcsetup/KeyboardHook.h"

#include <windows.h>

namespace vantrel {

// The PC Setup page's keyboard: a keyboard hook on the user-interface thread, which sees each key
// event before any window of that thread does, and the program-wide mutex "KbdHook" that lets
// only one copy of the program take the keyboard.
class Win32KeyboardHook : public KeyboardHook {
public:
    Win32KeyboardHook() = default;
    ~Win32KeyboardHook() override;
    Win32KeyboardHook(const Win32KeyboardHook&) = delete;
    Win32KeyboardHook& operator=(const Win32KeyboardHook&) = delete;

    bool claim() override;
    void install(KeyCapture& capture) override;
    void remove() override;

private:
    static LRESULT CALLBACK hookProcedure(int code, WPARAM wParam, LPARAM lParam);

    HANDLE mark_ = nullptr;
    HHOOK hook_ = nullptr;
};

} // namespace vantrel
