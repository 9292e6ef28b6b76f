#include "app/SimDeviceNotices.h"

#include "device/sim/SimNoticeWatcher.h"

#include <QSocketNotifier>

#include <system_error>

namespace vantrel {

SimDeviceNotices::SimDeviceNotices() = default;

SimDeviceNotices::~SimDeviceNotices() = default;

std::optional<std::uint32_t> SimDeviceNotices::registerFor(Deliver deliver) {
    try {
        watcher_ = std::make_unique<SimNoticeWatcher>();
    } catch (const std::system_error& error) {
        return static_cast<std::uint32_t>(error.code().value());
    }
    notifier_ = std::make_unique<QSocketNotifier>(watcher_->fd(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this, deliver] {
        for (const DeviceNotice& notice : watcher_->take()) {
            deliver(notice);
        }
    });
    return std::nullopt;
}

} // namespace vantrel
