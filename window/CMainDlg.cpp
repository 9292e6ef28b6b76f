#include "window/CMainDlg.h"

#include "device/HardwareId.h"
#include "device/MonitorState.h"
#include "pcsetup/PcPageText.h"
#include "window/ConfirmExit.h"
#include "window/MainWindowHost.h"

#include <cstdio>

namespace vantrel {

namespace {

constexpr int TAB_AREA_1_CONTROL = 1029;
constexpr int TAB_AREA_2_CONTROL = 1030;

} // namespace

CMainDlg::CMainDlg(MainWindowServices services, std::function<void()> startMonitor)
    : pageServices_{services.messages, services.link, services.monitor, *this, services.resources},
      notices_(services.notices), startMonitor_(std::move(startMonitor)), x360Page_(pageServices_),
      pcPage_(pageServices_, services.fileDialogs, services.keyboard) {
}

// The PC Setup page goes first, as the members are declared: its end stops the monitor while the
// XBox 360 page it may still reach stands.
CMainDlg::~CMainDlg() = default;

void CMainDlg::initialise(MainWindowHost& host) {
    host_ = &host;
    if (const auto error =
            notices_.registerFor([this](const DeviceNotice& notice) { onDeviceNotice(notice); })) {
        char text[64];
        std::snprintf(text, sizeof text, registrationFailedFormat.data(), *error);
        showOk(pageServices_.messages, text);
    }
    x360Page_.initialise();
    pcPage_.initialise();
    pcPage_.afterFirstPaint([this] { x360Page_.decodePictures(); });
    const DialogTemplate& layout = dialogTemplate(MAIN_DIALOG);
    tabArea1_ = controlRect(layout, TAB_AREA_1_CONTROL);
    tabArea2_ = controlRect(layout, TAB_AREA_2_CONTROL);
    startMonitor_();
    switchTo(SetupPage::Pc);
}

void CMainDlg::onDeviceNotice(const DeviceNotice& notice) {
    // Records of volumes and ports carry no path: they are none of the receiver's.
    if (!notice.path || !matchesHardwareId(*notice.path)) {
        return;
    }
    if (notice.kind == DeviceNotice::Kind::Arrival) {
        signalArrival(pageServices_.monitor);
    } else {
        signalRemoval(pageServices_.monitor);
    }
}

void CMainDlg::pointerReleased(PixelPoint point, PointerButton button) {
    if (button != PointerButton::Left) {
        return;
    }
    const SetupPage other = shownPage_ == SetupPage::Pc ? SetupPage::X360 : SetupPage::Pc;
    // The pages lie at the client origin, so the point is in the tab areas' own pixels.
    if (tabArea(other).contains(point.x, point.y)) {
        switchTo(other);
    }
}

PixelRect CMainDlg::tabArea(SetupPage page) const {
    return page == SetupPage::Pc ? tabArea1_ : tabArea2_;
}

void CMainDlg::switchTo(SetupPage page) {
    if (page == SetupPage::X360) {
        // Decoded before the page's first paint at the latest; later calls find nothing to do.
        x360Page_.decodePictures();
    }
    shownPage_ = page;
    if (host_) {
        host_->showPage(page);
    }
}

bool CMainDlg::passesSaveGuard() {
    if (pageServices_.monitor.deviceConnected == 0) {
        showOk(pageServices_.messages, deviceNotFoundMessage);
        return false;
    }
    return true;
}

void CMainDlg::confirmExit(SetupPage askingPage) {
    const ExitSettings pcSettings{[this] { return pcPage_.keyMap().isChanged(); },
                                  [this] { pcPage_.saveToDevice(); }};
    const ExitSettings x360Settings{[this] { return x360Page_.isChanged(); },
                                    [this] { x360Page_.saveForExit(); }};
    if (ConfirmExit(askingPage, pageServices_.monitor.deviceConnected != 0, pageServices_.messages,
                    pcSettings, x360Settings) == ExitDecision::EndRun &&
        host_) {
        host_->endRun();
    }
}

} // namespace vantrel
