#pragma once

#include "window/DeviceNotices.h"

#include <memory>

class QSocketNotifier;

namespace vantrel {

class SimNoticeWatcher;

// Notices of the simulated receivers that plug into and out of this user's runtime folder.
class SimDeviceNotices : public DeviceNotices {
public:
    SimDeviceNotices();
    ~SimDeviceNotices() override;

    std::optional<std::uint32_t> registerFor(Deliver deliver) override;

private:
    std::unique_ptr<SimNoticeWatcher> watcher_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace vantrel
