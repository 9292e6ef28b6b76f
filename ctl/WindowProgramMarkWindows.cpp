#include "ctl/WindowProgramMark.h"

#include <windows.h>

namespace vantrel::ctl {

bool windowProgramRuns() {
    // The running program's main window carries the property "Vantrel Pro".
    bool found = false;
    EnumWindows(
        [](HWND window, LPARAM found) -> BOOL {
            if (GetPropW(window, L"Vantrel Pro") != nullptr) {
                *reinterpret_cast<bool*>(found) = true;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace vantrel::ctl
