#pragma once

#include "device/sim/SimDeviceDescriptor.h"

#include <mutex>
#include <vector>

namespace vantrel::devsim {

class Receiver;

// The data connections that watch the device instead of opening it: each is told the device as
// it is when it starts watching, then at every change, as the runtime folder's descriptor shows
// it to local clients.
class DeviceWatchers {
public:
    explicit DeviceWatchers(SimDeviceDescriptor descriptor);

    // Sends the device as it is now on the connection, and every change after it until unwatch().
    void watch(int fd, const Receiver& receiver);
    void unwatch(int fd);

    // Tells every watcher for whom the device has changed. Safe from any thread.
    void follow(const Receiver& receiver);

private:
    struct Watcher {
        int fd;
        bool toldPresent;
    };

    // Whether the state went out whole; a watcher that does not keep up is cut off instead of
    // holding up the thread that plugs or unplugs.
    bool tell(Watcher& watcher, bool present);

    std::mutex mutex_;
    const SimDeviceDescriptor descriptor_;
    std::vector<Watcher> watchers_;
};

} // namespace vantrel::devsim
