#include "win32/AboutBox.h"

#include "resources/templates/DialogTemplate.h"

namespace vantrel {

namespace {

INT_PTR CALLBACK aboutProcedure(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(window, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

void showAboutBox(HWND owner) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ABOUT_DIALOG), owner,
                    aboutProcedure, 0);
}

} // namespace vantrel
