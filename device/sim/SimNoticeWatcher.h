#pragma once

#include "device/DeviceNotice.h"
#include "device/sim/SimBusFolder.h"
#include "device/sim/UniqueFd.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vantrel {

// Arrival and removal notices of simulated devices, from the descriptors that serving receivers
// publish and remove in the runtime folder.
//
// Used on the user-interface thread: the host polls fd() and calls take() when it is readable.
// The devices present at construction count as known, so their removal carries their path too.
class SimNoticeWatcher {
public:
    // Creates the folder when it is missing. Throws std::system_error when the folder is not a
    // private one of this user or cannot be watched.
    explicit SimNoticeWatcher(std::filesystem::path folder = simBusFolder());

    // Readable while notices may be pending.
    int fd() const { return inotify_.get(); }

    // The notices since the last call, in the order things happened; never blocks.
    std::vector<DeviceNotice> take();

private:
    void published(const std::string& fileName, std::vector<DeviceNotice>& notices);
    void withdrawn(const std::string& fileName, std::vector<DeviceNotice>& notices);
    void rescan(std::vector<DeviceNotice>& notices);

    std::filesystem::path folder_;
    UniqueFd inotify_;
    std::map<std::string, std::u16string> known_; // descriptor file name to interface path
};

} // namespace vantrel
