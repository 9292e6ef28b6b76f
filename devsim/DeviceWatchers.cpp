#include "devsim/DeviceWatchers.h"

#include "device/sim/SimFrame.h"
#include "devsim/Receiver.h"

#include <sys/socket.h>

#include <algorithm>

namespace vantrel::devsim {

DeviceWatchers::DeviceWatchers(SimDeviceDescriptor descriptor)
    : descriptor_(std::move(descriptor)) {
}

void DeviceWatchers::watch(int fd, const Receiver& receiver) {
    std::lock_guard lock(mutex_);
    Watcher watcher{fd, false};
    if (tell(watcher, receiver.isPlugged())) {
        watchers_.push_back(watcher);
    }
}

void DeviceWatchers::unwatch(int fd) {
    std::lock_guard lock(mutex_);
    std::erase_if(watchers_, [fd](const Watcher& watcher) { return watcher.fd == fd; });
}

void DeviceWatchers::follow(const Receiver& receiver) {
    std::lock_guard lock(mutex_);
    const bool present = receiver.isPlugged();
    std::erase_if(watchers_, [&](Watcher& watcher) {
        return watcher.toldPresent != present && !tell(watcher, present);
    });
}

bool DeviceWatchers::tell(Watcher& watcher, bool present) {
    const auto frame = encodeDeviceState({present ? std::optional(descriptor_) : std::nullopt});
    const ssize_t sent =
        ::send(watcher.fd, frame.data(), frame.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent != static_cast<ssize_t>(frame.size())) {
        // Its connection ends, and with it the watch.
        ::shutdown(watcher.fd, SHUT_RDWR);
        return false;
    }
    watcher.toldPresent = present;
    return true;
}

} // namespace vantrel::devsim
