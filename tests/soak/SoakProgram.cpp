#include "tests/soak/SoakProgram.h"

namespace vantrel::soak {

std::optional<std::uint32_t> SoakNotices::registerFor(Deliver deliver) {
    deliver_ = std::move(deliver);
    return std::nullopt;
}

void SoakNotices::deliver(const DeviceNotice& notice) {
    if (deliver_) {
        deliver_(notice);
    }
}

void SoakKeyboard::install(KeyCapture& capture) {
    filter_ = std::make_unique<KeyboardFilter>(capture, scope);
    filter_->install();
}

SoakProgram::SoakProgram()
    : rules_(std::make_unique<CMainDlg>(MainWindowServices{messages_, link_, state_, fileDialogs_,
                                                           notices_, resources_, keyboard_},
                                        [this] { monitor_->start(); })),
      window_(std::make_unique<QtMainWindow>(*rules_)),
      pages_(std::make_unique<WindowMonitorPages>(bridge_, *rules_, link_)) {
    keyboard_.scope = &window_->pcWidget();
    window_->onPcPageInView([this](bool inView) { pages_->setPcPageInView(inView); });
    monitor_ = std::make_unique<DeviceMonitor>(state_, link_, discovery_, *pages_, messages_);
    // The receiver starts out of its socket; the first cycle plugs it in.
    receiver_->unplug();
    receiver_->onPlugChange([this] { onPlugChange(); });
}

SoakProgram::~SoakProgram() {
    receiver_->onPlugChange({});
    // The order the program ends in: nothing more crosses from the monitor, the window goes
    // (its PC Setup page stops the monitor), then the monitor thread is waited for.
    bridge_.close();
    rules_.reset();
    window_.reset();
    monitor_.reset();
}

void SoakProgram::start() {
    window_->initialise();
    window_->show();
}

void SoakProgram::plug() {
    userPlugging_ = true;
    receiver_->plug();
    if (!busEntry_) {
        busEntry_ = inProcessBus_.add(device_);
    }
    userPlugging_ = false;
    notices_.deliver({DeviceNotice::Kind::Arrival, device_.interfacePath});
}

void SoakProgram::unplug() {
    userPlugging_ = true;
    receiver_->unplug();
    if (busEntry_) {
        inProcessBus_.remove(*busEntry_);
        busEntry_.reset();
    }
    userPlugging_ = false;
    notices_.deliver({DeviceNotice::Kind::RemovalComplete, device_.interfacePath});
}

void SoakProgram::onPlugChange() {
    // Called on whichever thread's request made the receiver vanish; the host tells the main
    // window later, through its event loop, as it would for a receiver pulled out by hand.
    if (userPlugging_ || receiver_->isPlugged()) {
        return;
    }
    ++vanished_;
    QMetaObject::invokeMethod(
        &noticeContext_,
        [this] {
            notices_.deliver({DeviceNotice::Kind::RemovalComplete, device_.interfacePath});
        },
        Qt::QueuedConnection);
}

} // namespace vantrel::soak
