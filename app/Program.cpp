#include "app/Program.h"

#include "app/CMainDlg.h"
#include "app/QtMonitorPages.h"
#include "device/DeviceMonitor.h"

#include <QGuiApplication>
#include <QScreen>

namespace vantrel {

Program::Program()
    : window_(std::make_unique<CMainDlg>(messages_, link_, monitorState_, fileDialogs_, notices_,
                                         [this] { monitor_->start(); })),
      pages_(std::make_unique<QtMonitorPages>(bridge_, *window_, link_)) {
    fileDialogs_.setParent(window_.get());
    monitor_ =
        std::make_unique<DeviceMonitor>(monitorState_, link_, discovery_, *pages_, messages_);
}

Program::~Program() {
    bridge_.close();
    window_.reset();
    monitor_.reset();
}

void Program::start() {
    window_->initialise();
    mark_.announce(window_.get());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window_->move(screen->availableGeometry().center() - window_->rect().center());
    }
}

} // namespace vantrel
