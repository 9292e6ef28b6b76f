#pragma once

#include "pcsetup/CVantrelConfigDlg.h"
#include "platform/FileDialogs.h"
#include "window/DeviceNotices.h"
#include "window/PageShell.h"
#include "x360setup/CKeydefDlg.h"

#include <functional>
#include <string_view>

namespace vantrel {

class KeyboardHook;
class MainWindowHost;

inline constexpr std::string_view registrationFailedFormat =
    "RegisterDeviceNotification failed: 0x%x";

// Everything the main window works with, besides the window of its host.
struct MainWindowServices {
    Messages& messages;
    DeviceLink& link;
    MonitorState& monitor;
    FileDialogs& fileDialogs;
    DeviceNotices& notices;
    SkinResources& resources;
    KeyboardHook& keyboard;
};

// The main window: an 800 by 600 client area that one of the two setup pages always covers,
// the tab headers that switch between them, and the device notices it turns into signals for
// the monitor.
class CMainDlg : public PageShell {
public:
    CMainDlg(MainWindowServices services, std::function<void()> startMonitor);
    ~CMainDlg() override;
    CMainDlg(const CMainDlg&) = delete;
    CMainDlg& operator=(const CMainDlg&) = delete;

    // Registers for notices, sets both pages up, starts the monitor and shows the PC Setup page.
    // The host has given each page its window before.
    void initialise(MainWindowHost& host);

    CVantrelConfigDlg& pcPage() { return pcPage_; }
    CKeydefDlg& x360Page() { return x360Page_; }
    SetupPage shownPage() const { return shownPage_; }

    // An arrival or removal whose path names the receiver signals the monitor.
    void onDeviceNotice(const DeviceNotice& notice);

    // A release that the shown page passed on, in client pixels: its tab headers still switch.
    void pointerReleased(PixelPoint point, PointerButton button);

    PixelRect tabArea(SetupPage page) const override;
    void switchTo(SetupPage page) override;
    bool passesSaveGuard() override;
    void confirmExit(SetupPage askingPage) override;

private:
    PageServices pageServices_;
    DeviceNotices& notices_;
    std::function<void()> startMonitor_;
    MainWindowHost* host_ = nullptr;
    CKeydefDlg x360Page_;
    CVantrelConfigDlg pcPage_;
    PixelRect tabArea1_, tabArea2_;
    SetupPage shownPage_ = SetupPage::Pc;
};

} // namespace vantrel
