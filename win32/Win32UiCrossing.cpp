#include "win32/Win32UiCrossing.h"

#include "win32/PrivateMessages.h"

namespace vantrel {

void Win32UiCrossing::attach(HWND window) {
    window_ = window;
}

bool Win32UiCrossing::wake() {
    const HWND window = window_;
    return window && PostMessageW(window, CROSSING_MESSAGE, 0, 0);
}

} // namespace vantrel
