#include "app/Program.h"

#include "app/QtMainWindow.h"
#include "device/DeviceMonitor.h"
#include "window/CMainDlg.h"
#include "window/WindowMonitorPages.h"

#include <QGuiApplication>
#include <QScreen>

namespace vantrel {

Program::Program()
    : rules_(std::make_unique<CMainDlg>(MainWindowServices{messages_, link_, monitorState_,
                                                           fileDialogs_, notices_, resources_,
                                                           keyboard_},
                                        [this] { monitor_->start(); })),
      window_(std::make_unique<QtMainWindow>(*rules_, pictureScale_)),
      pages_(std::make_unique<WindowMonitorPages>(bridge_, *rules_, link_)) {
    fileDialogs_.setParent(window_.get());
    keyboard_.setScope(&window_->pcWidget());
    window_->onPcPageInView([this](bool inView) { pages_->setPcPageInView(inView); });
    monitor_ =
        std::make_unique<DeviceMonitor>(monitorState_, link_, discovery_, *pages_, messages_);
}

Program::~Program() {
    bridge_.close();
    // The rules go first: the PC Setup page's end stops the monitor and removes the keyboard
    // filter while the window it watched still stands.
    rules_.reset();
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
