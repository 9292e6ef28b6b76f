#pragma once

#include "device/DeviceBusChoice.h"
#include "device/sim/LoopbackAddress.h"
#include "window/DeviceNotices.h"
#include "window/UiCrossing.h"

#include <memory>

namespace vantrel {

class TcpNoticeWatcher;

// Notices of the receiver a simulated receiver's daemon serves at a loopback TCP address, which
// no device manager announces. They are watched on a thread of their own and handed over to the
// user-interface thread through the monitor's crossing, so they stop with it at the end of the
// run.
class LoopbackDeviceNotices : public DeviceNotices {
public:
    LoopbackDeviceNotices(LoopbackAddress address, UiCrossing& crossing);
    ~LoopbackDeviceNotices() override;
    LoopbackDeviceNotices(const LoopbackDeviceNotices&) = delete;
    LoopbackDeviceNotices& operator=(const LoopbackDeviceNotices&) = delete;

    std::optional<std::uint32_t> registerFor(Deliver deliver) override;

private:
    const LoopbackAddress address_;
    UiCrossing& crossing_;
    std::unique_ptr<TcpNoticeWatcher> watcher_;
};

// The notices a program started on this device choice follows in place of its device manager's:
// the daemon's for a loopback receiver, none otherwise.
std::unique_ptr<DeviceNotices> loopbackNoticesFor(const DeviceBusChoice& choice,
                                                  UiCrossing& crossing);

} // namespace vantrel
