#include "app/CMainDlg.h"

#include "app/ApplicationIcon.h"
#include "app/CAboutDlg.h"
#include "app/ConfirmExit.h"
#include "device/HardwareId.h"
#include "device/MonitorState.h"
#include "pcsetup/CVantrelConfigDlg.h"
#include "pcsetup/PcPageText.h"
#include "x360setup/CKeydefDlg.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

#include <cstdio>

namespace vantrel {

namespace {

constexpr int TAB_AREA_1_CONTROL = 1029;
constexpr int TAB_AREA_2_CONTROL = 1030;
constexpr const char* aboutEntry = "&About VantrelConfig...";

} // namespace

CMainDlg::CMainDlg(Messages& messages, DeviceLink& link, MonitorState& monitor,
                   FileDialogs& fileDialogs, DeviceNotices& notices,
                   std::function<void()> startMonitor)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      services_{messages, link, monitor, *this}, notices_(notices),
      startMonitor_(std::move(startMonitor)), x360Page_(new CKeydefDlg(this, services_)),
      pcPage_(new CVantrelConfigDlg(this, services_, fileDialogs)) {
    const DialogTemplate& layout = dialogTemplate(MAIN_DIALOG);
    setWindowTitle(
        QString::fromUtf8(layout.caption.data(), static_cast<qsizetype>(layout.caption.size())));
    setFixedSize(layout.width * PIXELS_PER_DIALOG_UNIT, layout.height * PIXELS_PER_DIALOG_UNIT);
    setWindowIcon(applicationIcon());
    x360Page_->hide();
    pcPage_->hide();
}

CMainDlg::~CMainDlg() {
    // The PC Setup page goes first: its end stops the monitor, while this window still stands.
    delete pcPage_;
}

void CMainDlg::initialise() {
    if (const auto error =
            notices_.registerFor([this](const DeviceNotice& notice) { onDeviceNotice(notice); })) {
        char text[64];
        std::snprintf(text, sizeof text, registrationFailedFormat.data(), *error);
        showOk(services_.messages, text);
    }
    x360Page_->initialise();
    pcPage_->initialise();
    pcPage_->afterFirstPaint([this] { x360Page_->decodePictures(); });
    const DialogTemplate& layout = dialogTemplate(MAIN_DIALOG);
    tabArea1_ = controlRect(layout, TAB_AREA_1_CONTROL);
    tabArea2_ = controlRect(layout, TAB_AREA_2_CONTROL);
    for (QWidget* page : {static_cast<QWidget*>(x360Page_), static_cast<QWidget*>(pcPage_)}) {
        page->move(0, 0);
        page->raise();
        page->show();
    }
    startMonitor_();
    switchTo(SetupPage::Pc);
}

void CMainDlg::onDeviceNotice(const DeviceNotice& notice) {
    // Records of volumes and ports carry no path: they are none of the receiver's.
    if (!notice.path || !matchesHardwareId(*notice.path)) {
        return;
    }
    if (notice.kind == DeviceNotice::Kind::Arrival) {
        signalArrival(services_.monitor);
    } else {
        signalRemoval(services_.monitor);
    }
}

PixelRect CMainDlg::tabArea(SetupPage page) const {
    return page == SetupPage::Pc ? tabArea1_ : tabArea2_;
}

void CMainDlg::switchTo(SetupPage page) {
    QWidget* shown = page == SetupPage::Pc ? static_cast<QWidget*>(pcPage_) : x360Page_;
    QWidget* hidden = page == SetupPage::Pc ? static_cast<QWidget*>(x360Page_) : pcPage_;
    shown->show();
    hidden->hide();
    shown->repaint();
}

bool CMainDlg::passesSaveGuard() {
    if (services_.monitor.deviceConnected == 0) {
        showOk(services_.messages, deviceNotFoundMessage);
        return false;
    }
    return true;
}

void CMainDlg::confirmExit(SetupPage askingPage) {
    const ExitSettings pcSettings{[this] { return pcPage_->keyMap().isChanged(); },
                                  [this] { pcPage_->saveToDevice(); }};
    const ExitSettings x360Settings{[this] { return x360Page_->isChanged(); },
                                    [this] { x360Page_->saveForExit(); }};
    if (ConfirmExit(askingPage, services_.monitor.deviceConnected != 0, services_.messages,
                    pcSettings, x360Settings) == ExitDecision::EndRun) {
        done(QDialog::Rejected);
    }
}

void CMainDlg::contextMenuEvent(QContextMenuEvent* event) {
    // The window menu of this host can't take entries, so the About box is offered here.
    QMenu menu(this);
    menu.addAction(QString::fromLatin1(aboutEntry), this, &CMainDlg::showAbout);
    menu.exec(event->globalPos());
}

void CMainDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const SetupPage other = x360Page_->isVisible() ? SetupPage::Pc : SetupPage::X360;
    // The pages lie at the client origin, so the point is in the tab areas' own pixels.
    const QPoint p = event->position().toPoint();
    if (tabArea(other).contains(p.x(), p.y())) {
        switchTo(other);
    }
}

void CMainDlg::showAbout() {
    CAboutDlg about(this);
    about.exec();
}

} // namespace vantrel
