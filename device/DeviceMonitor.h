#pragma once

#include "device/DeviceProtocol.h"
#include "platform/Messages.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <thread>

namespace vantrel {

class AutoResetEvent;
class DeviceDiscovery;
class DeviceLink;
class MonitorPages;
struct MonitorState;

inline constexpr std::string_view replugMessage = "Please Re-plug in your Vantrel.\r\n";

constexpr std::chrono::milliseconds RECONNECT_WAIT{1000};
constexpr std::chrono::milliseconds SAMPLE_WAIT{100};

// How the monitor waits for one of its events: true when it was set within the time. Tests look
// at the monitor's waits through it.
using EventWait = std::function<bool(AutoResetEvent& event, std::chrono::milliseconds timeout)>;

bool waitForEvent(AutoResetEvent& event, std::chrono::milliseconds timeout);

// The background thread that owns the connection to the receiver for the whole run: it opens the
// receiver, reads the settings image at every connection, samples the pad quality while
// connected, and waits for an arrival after the connection is lost.
//
// Everything it is given must outlive it. Its destructor stops the thread, if stopMonitor() has
// not, ends the link's request under way and waits for the thread to end, which it then does
// within a moment whatever it was doing: no receiver holds the end of the program.
class DeviceMonitor {
public:
    DeviceMonitor(MonitorState& state, DeviceLink& link, DeviceDiscovery& discovery,
                  MonitorPages& pages, Messages& messages, EventWait wait = waitForEvent);
    ~DeviceMonitor();
    DeviceMonitor(const DeviceMonitor&) = delete;
    DeviceMonitor& operator=(const DeviceMonitor&) = delete;

    void start();

private:
    enum class ConnectionEnd { Lost, Stopped };

    void deviceMonitor();
    bool connect();
    ConnectionEnd sample();
    void showQuality(std::int32_t quality);

    MonitorState& state_;
    DeviceLink& link_;
    DeviceDiscovery& discovery_;
    MonitorPages& pages_;
    Messages& messages_;
    const EventWait wait_;
    std::int32_t reportMode_ = 0;
    InputReport report_{};
    // The reading each page was last given. Only the monitor changes a page's reading, so a new
    // one equal to it needs no trip to the user-interface thread.
    std::array<std::optional<std::int32_t>, 2> shownQuality_;
    std::thread thread_;
};

} // namespace vantrel
