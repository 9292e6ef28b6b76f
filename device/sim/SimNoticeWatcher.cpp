#include "device/sim/SimNoticeWatcher.h"

#include "device/sim/AsciiText.h"
#include "device/sim/PublishedDevices.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <set>
#include <system_error>

namespace vantrel {

namespace {

constexpr std::uint32_t appearMask = IN_MOVED_TO | IN_CLOSE_WRITE;
constexpr std::uint32_t vanishMask = IN_DELETE | IN_MOVED_FROM;

DeviceNotice arrival(const std::u16string& path) {
    return {DeviceNotice::Kind::Arrival, path};
}

DeviceNotice removal(const std::u16string& path) {
    return {DeviceNotice::Kind::RemovalComplete, path};
}

} // namespace

SimNoticeWatcher::SimNoticeWatcher(std::filesystem::path folder) : folder_(std::move(folder)) {
    if (const auto problem = preparePrivateFolder(folder_)) {
        throw std::system_error(EACCES, std::generic_category(), *problem);
    }
    inotify_ = UniqueFd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    if (!inotify_.valid() ||
        ::inotify_add_watch(inotify_.get(), folder_.c_str(),
                            appearMask | vanishMask | IN_DELETE_SELF | IN_ONLYDIR) < 0) {
        throw std::system_error(errno, std::generic_category(),
                                "cannot watch '" + folder_.string() + "'");
    }
    for (auto& device : readPublishedDevices(folder_)) {
        known_[device.fileName] = widenAscii(device.descriptor.interfacePath);
    }
}

std::vector<DeviceNotice> SimNoticeWatcher::take() {
    std::vector<DeviceNotice> notices;
    alignas(inotify_event) std::array<char, 4096> buffer{};
    for (;;) {
        const ssize_t got = ::read(inotify_.get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= got;) {
            inotify_event event{};
            std::memcpy(&event, buffer.data() + at, sizeof(event));
            const char* nameStart = buffer.data() + at + sizeof(inotify_event);
            const std::string name(nameStart, ::strnlen(nameStart, event.len));
            at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
            if ((event.mask & IN_Q_OVERFLOW) != 0) {
                rescan(notices);
            } else if ((event.mask & IN_DELETE_SELF) != 0) {
                for (const auto& [fileName, path] : known_) {
                    notices.push_back(removal(path));
                }
                known_.clear();
            } else if (!isDescriptorFileName(name)) {
                continue;
            } else if ((event.mask & appearMask) != 0) {
                published(name, notices);
            } else if ((event.mask & vanishMask) != 0) {
                withdrawn(name, notices);
            }
        }
    }
    return notices;
}

void SimNoticeWatcher::published(const std::string& fileName, std::vector<DeviceNotice>& notices) {
    const auto descriptor = readDescriptorFile(folder_ / fileName);
    if (!descriptor) {
        return;
    }
    const std::u16string path = widenAscii(descriptor->interfacePath);
    const auto known = known_.find(fileName);
    if (known != known_.end()) {
        // The same device published again is no change; another path replaces the old device.
        if (known->second == path) {
            return;
        }
        notices.push_back(removal(known->second));
    }
    known_[fileName] = path;
    notices.push_back(arrival(path));
}

void SimNoticeWatcher::withdrawn(const std::string& fileName, std::vector<DeviceNotice>& notices) {
    const auto known = known_.find(fileName);
    if (known == known_.end()) {
        return;
    }
    notices.push_back(removal(known->second));
    known_.erase(known);
}

void SimNoticeWatcher::rescan(std::vector<DeviceNotice>& notices) {
    std::set<std::string> present;
    for (const auto& device : readPublishedDevices(folder_)) {
        present.insert(device.fileName);
    }
    for (auto it = known_.begin(); it != known_.end();) {
        if (present.contains(it->first)) {
            ++it;
            continue;
        }
        notices.push_back(removal(it->second));
        it = known_.erase(it);
    }
    for (const auto& fileName : present) {
        published(fileName, notices);
    }
}

} // namespace vantrel
