#pragma once

#include "device/sim/LoopbackAddress.h"
#include "device/sim/SimFrame.h"
#include "device/sim/TcpStream.h"

#include <chrono>
#include <memory>
#include <optional>

namespace vantrel {

// A watch connection to a simulated receiver served over loopback TCP: the device it presents
// now, then each change, without opening it.
class TcpDeviceWatch {
public:
    // Null when no daemon accepts at the address within the timeout. With a wait limit, next()
    // gives up after that long; without one it waits for the next change as long as it takes.
    static std::unique_ptr<TcpDeviceWatch>
    start(const LoopbackAddress& address, std::chrono::milliseconds timeout,
          std::optional<std::chrono::milliseconds> waitLimit);

    // The device as it is when the watch started, then at each change; nothing once the daemon
    // has gone, the limit has passed or the watch was cancelled.
    std::optional<DeviceStateFrame> next();

    // Ends a next() under way on another thread at once, and every later one.
    void cancel() { stream_->cancel(); }

private:
    explicit TcpDeviceWatch(std::unique_ptr<TcpStream> stream) : stream_(std::move(stream)) {}

    std::unique_ptr<TcpStream> stream_;
    bool greeted_ = false;
};

// The device presented at the address now: nothing when no daemon answers there in time, an
// absent device while its receiver is unplugged.
std::optional<DeviceStateFrame> presentedDevice(const LoopbackAddress& address,
                                                std::chrono::milliseconds timeout);

} // namespace vantrel
