#pragma once

#include "device/DeviceNotice.h"
#include "device/sim/LoopbackAddress.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace vantrel {

class TcpDeviceWatch;

// Arrival and removal notices of the receiver that a simulated receiver's daemon serves at a
// loopback TCP address, for a host that gets none from its own device manager.
//
// It keeps a watch connection to the daemon on a thread of its own, from construction until
// destruction. While no daemon answers, it tries again every RETRY_INTERVAL; a daemon that goes
// away counts as its receiver removed. The destructor ends the thread at once, or after the
// connection under way, which gives up within REPLY_TIMEOUT. `deliver` runs on that thread, one
// notice at a time, in the order things happened, and never after the destructor has returned: the
// host posts each notice on to its user-interface thread. The device present at construction (the
// constructor asks the daemon once, for up to REPLY_TIMEOUT) counts as known, so its removal
// carries its path too and it brings no arrival.
class TcpNoticeWatcher {
public:
    using Deliver = std::function<void(const DeviceNotice&)>;

    static constexpr std::chrono::milliseconds RETRY_INTERVAL{500};

    TcpNoticeWatcher(LoopbackAddress address, Deliver deliver);
    ~TcpNoticeWatcher();
    TcpNoticeWatcher(const TcpNoticeWatcher&) = delete;
    TcpNoticeWatcher& operator=(const TcpNoticeWatcher&) = delete;

private:
    void run();
    // Follows one watch connection until it ends; false when the watcher is stopping.
    bool follow(TcpDeviceWatch& watch);
    void becomes(const std::optional<std::u16string>& path);
    // Waits out the retry interval; false when the watcher is stopping.
    bool pause();

    const LoopbackAddress address_;
    const Deliver deliver_;
    std::optional<std::u16string> known_; // the present device's path; the watcher thread's

    std::mutex mutex_;
    std::condition_variable stopping_;
    bool stop_ = false;
    TcpDeviceWatch* current_ = nullptr; // the watch to cancel at the stop
    std::thread thread_;
};

} // namespace vantrel
