#pragma once

#include "app/DeviceNotices.h"
#include "platform/FileDialogs.h"
#include "skin/PageShell.h"

#include <QDialog>

#include <functional>

namespace vantrel {

class CKeydefDlg;
class CVantrelConfigDlg;

inline constexpr std::string_view registrationFailedFormat =
    "RegisterDeviceNotification failed: 0x%x";

// The main window: an 800 by 600 client area that one of the two setup pages always covers,
// the tab headers that switch between them, and the device notices it turns into signals for
// the monitor.
class CMainDlg : public QDialog, public PageShell {
public:
    CMainDlg(Messages& messages, DeviceLink& link, MonitorState& monitor, FileDialogs& fileDialogs,
             DeviceNotices& notices, std::function<void()> startMonitor);
    ~CMainDlg() override;

    // Registers for notices, creates both pages, places them, starts the monitor and shows the
    // PC Setup page.
    void initialise();

    CVantrelConfigDlg& pcPage() { return *pcPage_; }
    CKeydefDlg& x360Page() { return *x360Page_; }

    // An arrival or removal whose path names the receiver signals the monitor.
    void onDeviceNotice(const DeviceNotice& notice);

    PixelRect tabArea(SetupPage page) const override;
    void switchTo(SetupPage page) override;
    bool passesSaveGuard() override;
    void confirmExit(SetupPage askingPage) override;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Releases that an unfinished page passes on: its tab headers still switch pages.
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showAbout();

    PageServices services_;
    DeviceNotices& notices_;
    std::function<void()> startMonitor_;
    CKeydefDlg* x360Page_;
    CVantrelConfigDlg* pcPage_;
    PixelRect tabArea1_, tabArea2_;
};

} // namespace vantrel
