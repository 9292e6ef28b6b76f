#pragma once

#include "device/DeviceProtocol.h"
#include "platform/Messages.h"

#include <chrono>
#include <cstdint>
#include <string_view>
#include <thread>

namespace vantrel {

class DeviceDiscovery;
class DeviceLink;
class MonitorPages;
struct MonitorState;

inline constexpr std::string_view replugMessage = "Please Re-plug in your Vantrel.\r\n";

constexpr std::chrono::milliseconds RECONNECT_WAIT{1000};
constexpr std::chrono::milliseconds SAMPLE_WAIT{100};

// The background thread that owns the connection to the receiver for the whole run: it opens the
// receiver, reads the settings image at every connection, samples the pad quality while
// connected, and waits for an arrival after the connection is lost.
//
// Everything it is given must outlive it; its destructor waits for the thread to end, which it
// does within one wait once stopMonitor() has been called.
class DeviceMonitor {
public:
    DeviceMonitor(MonitorState& state, DeviceLink& link, DeviceDiscovery& discovery,
                  MonitorPages& pages, Messages& messages);
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
    std::int32_t reportMode_ = 0;
    InputReport report_{};
    std::thread thread_;
};

} // namespace vantrel
