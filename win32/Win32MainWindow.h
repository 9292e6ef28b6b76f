#pragma once

#include "win32/Win32PageWindow.h"
#include "window/MainWindowHost.h"

#include <windows.h>

#include <functional>
#include <memory>

namespace vantrel {

class CMainDlg;
class Win32DeviceNotices;
class Win32FileDialogs;
class Win32Messages;
class Win32UiCrossing;

// What the main window hands its handle to once it exists.
struct MainWindowParts {
    Win32UiCrossing& crossing;
    Win32Messages& messages;
    Win32FileDialogs& fileDialogs;
    Win32DeviceNotices& notices;
};

// The main window: the modal dialog from template 145 whose run is the program's only message
// loop. It holds the two page windows and hands the rules its clicks, closing and device
// changes.
class Win32MainWindow : public MainWindowHost {
public:
    Win32MainWindow(CMainDlg& rules, MainWindowParts parts);
    ~Win32MainWindow() override;
    Win32MainWindow(const Win32MainWindow&) = delete;
    Win32MainWindow& operator=(const Win32MainWindow&) = delete;

    // Told whenever the PC Setup page comes into view or leaves it.
    void onPcPageInView(std::function<void(bool)> inView) { pcInView_ = std::move(inView); }

    // Runs the window until its run is ended.
    void run();

    void showPage(SetupPage page) override;
    void endRun() override;

private:
    static INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    bool handle(UINT message, WPARAM wParam, LPARAM lParam);
    void initialise();
    void tellPcInView();

    CMainDlg& rules_;
    MainWindowParts parts_;
    HWND window_ = nullptr;
    std::unique_ptr<Win32PageWindow> x360Window_;
    std::unique_ptr<Win32PageWindow> pcWindow_;
    SetupPage shownPage_ = SetupPage::Pc;
    std::function<void(bool)> pcInView_;
};

} // namespace vantrel
