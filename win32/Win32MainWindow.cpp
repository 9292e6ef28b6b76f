#include "win32/Win32MainWindow.h"

#include "resources/templates/DialogTemplate.h"
#include "resources/templates/ResourceStrings.h"
#include "win32/AboutBox.h"
#include "win32/PrivateMessages.h"
#include "win32/Win32DeviceNotices.h"
#include "win32/Win32FileDialogs.h"
#include "win32/Win32Messages.h"
#include "win32/Win32UiCrossing.h"
#include "window/CMainDlg.h"

#include <stdexcept>

namespace vantrel {

namespace {

constexpr int TAB_AREA_1_CONTROL = 1029;
constexpr int TAB_AREA_2_CONTROL = 1030;
constexpr int APPLICATION_ICON = 153;
constexpr UINT ABOUT_COMMAND = 0x10;
// The run's end code: the cancel code, whichever way the run ends.
constexpr INT_PTR RUN_END_CODE = IDCANCEL;
// The property by which a later copy finds this one.
constexpr const wchar_t* SINGLE_INSTANCE_MARK = L"Vantrel Pro";

void addAboutEntry(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    wchar_t entry[128] = {};
    if (!menu || LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(ABOUT_MENU_ENTRY.id),
                             entry, static_cast<int>(std::size(entry))) == 0) {
        return;
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, ABOUT_COMMAND, entry);
}

void setIcons(HWND window) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    auto* big = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(APPLICATION_ICON),
                                              IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                              GetSystemMetrics(SM_CYICON), LR_SHARED));
    auto* small = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(APPLICATION_ICON),
                                                IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

// A client area exactly as large as the pages, whatever the system font's dialog units come to.
void fitClientTo(HWND window, const PixelRect& page) {
    RECT frame{0, 0, page.width, page.height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void centreOnWorkArea(HWND window) {
    RECT work{};
    RECT frame{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) || !GetWindowRect(window, &frame)) {
        return;
    }
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

Win32MainWindow::Win32MainWindow(CMainDlg& rules, MainWindowParts parts)
    : rules_(rules), parts_(parts) {
}

Win32MainWindow::~Win32MainWindow() = default;

void Win32MainWindow::run() {
    if (DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(MAIN_DIALOG), nullptr,
                        dialogProcedure, reinterpret_cast<LPARAM>(this)) == -1) {
        throw std::runtime_error("DialogBoxParamW failed for the main window");
    }
}

void Win32MainWindow::showPage(SetupPage page) {
    shownPage_ = page;
    Win32PageWindow& shown = page == SetupPage::Pc ? *pcWindow_ : *x360Window_;
    Win32PageWindow& hidden = page == SetupPage::Pc ? *x360Window_ : *pcWindow_;
    ShowWindow(shown.handle(), SW_SHOW);
    ShowWindow(hidden.handle(), SW_HIDE);
    RedrawWindow(shown.handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    tellPcInView();
}

void Win32MainWindow::endRun() {
    EndDialog(window_, RUN_END_CODE);
}

INT_PTR CALLBACK Win32MainWindow::dialogProcedure(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Win32MainWindow*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
        self->window_ = window;
        self->initialise();
        return TRUE;
    }
    auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self && self->handle(message, wParam, lParam) ? TRUE : FALSE;
}

void Win32MainWindow::initialise() {
    parts_.crossing.attach(window_);
    parts_.messages.setOwner(window_);
    parts_.fileDialogs.setOwner(window_);
    parts_.notices.attach(window_);
    setIcons(window_);
    addAboutEntry(window_);
    const auto passOn = [this](PixelPoint point, PointerButton button) {
        rules_.pointerReleased(point, button);
    };
    fitClientTo(window_, rules_.pcPage().pageRect());
    x360Window_ = std::make_unique<Win32PageWindow>(window_, rules_.x360Page(), passOn);
    pcWindow_ = std::make_unique<Win32PageWindow>(window_, rules_.pcPage(), passOn);
    for (const int control : {TAB_AREA_1_CONTROL, TAB_AREA_2_CONTROL}) {
        ShowWindow(GetDlgItem(window_, control), SW_HIDE);
    }
    rules_.initialise(*this);
    centreOnWorkArea(window_);
    SetPropW(window_, SINGLE_INSTANCE_MARK, reinterpret_cast<HANDLE>(1));
}

void Win32MainWindow::tellPcInView() {
    if (pcInView_) {
        pcInView_(shownPage_ == SetupPage::Pc && !IsIconic(window_));
    }
}

bool Win32MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case CROSSING_MESSAGE:
        parts_.crossing.runWaitingWork();
        return true;
    case WM_DEVICECHANGE:
        parts_.notices.onDeviceChange(wParam, lParam);
        // The message goes on to the default handling as well.
        return false;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == ABOUT_COMMAND) {
            showAboutBox(window_);
            return true;
        }
        return false;
    case WM_SIZE:
        tellPcInView();
        return false;
    case WM_COMMAND:
        // The close box, Close on the window menu and Alt+F4 end the run at once.
        if (LOWORD(wParam) == IDCANCEL) {
            endRun();
            return true;
        }
        return false;
    case WM_CLOSE:
        endRun();
        return true;
    case WM_DESTROY:
        RemovePropW(window_, SINGLE_INSTANCE_MARK);
        parts_.crossing.attach(nullptr);
        parts_.messages.setOwner(nullptr);
        parts_.fileDialogs.setOwner(nullptr);
        return false;
    default:
        return false;
    }
}

} // namespace vantrel
