#include "device/sim/TcpNoticeWatcher.h"

#include "device/DeviceTransport.h"
#include "device/sim/AsciiText.h"
#include "device/sim/TcpDeviceWatch.h"

namespace vantrel {

TcpNoticeWatcher::TcpNoticeWatcher(LoopbackAddress address, Deliver deliver)
    : address_(address), deliver_(std::move(deliver)) {
    if (const auto state = presentedDevice(address_, REPLY_TIMEOUT); state && state->device) {
        known_ = widenAscii(state->device->interfacePath);
    }
    thread_ = std::thread([this] { run(); });
}

TcpNoticeWatcher::~TcpNoticeWatcher() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        if (current_ != nullptr) {
            current_->cancel();
        }
    }
    stopping_.notify_all();
    thread_.join();
}

void TcpNoticeWatcher::run() {
    for (;;) {
        // A change between the constructor's look and this watch shows in its first state.
        if (const auto watch = TcpDeviceWatch::start(address_, REPLY_TIMEOUT, std::nullopt)) {
            if (!follow(*watch)) {
                return;
            }
        }
        becomes(std::nullopt);
        if (!pause()) {
            return;
        }
    }
}

bool TcpNoticeWatcher::follow(TcpDeviceWatch& watch) {
    {
        std::lock_guard lock(mutex_);
        if (stop_) {
            return false;
        }
        current_ = &watch;
    }
    while (const auto state = watch.next()) {
        becomes(state->device ? std::optional(widenAscii(state->device->interfacePath))
                              : std::nullopt);
    }
    std::lock_guard lock(mutex_);
    current_ = nullptr;
    return !stop_;
}

void TcpNoticeWatcher::becomes(const std::optional<std::u16string>& path) {
    if (known_ == path) {
        return;
    }
    if (known_) {
        deliver_({DeviceNotice::Kind::RemovalComplete, known_});
    }
    known_ = path;
    if (known_) {
        deliver_({DeviceNotice::Kind::Arrival, known_});
    }
}

bool TcpNoticeWatcher::pause() {
    std::unique_lock lock(mutex_);
    return !stopping_.wait_for(lock, RETRY_INTERVAL, [this] { return stop_; });
}

} // namespace vantrel
