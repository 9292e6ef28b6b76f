#include "win32/GdiPlusSession.h"
#include "win32/RunningCopy.h"
#include "win32/Win32Program.h"

#include <windows.h>

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (vantrel::bringRunningCopyToFront()) {
        return 0;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    vantrel::GdiPlusSession gdiPlus;
    {
        vantrel::Win32Program program;
        program.run();
    }
    return 0;
}
