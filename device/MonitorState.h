#pragma once

#include "device/AutoResetEvent.h"

#include <atomic>
#include <chrono>
#include <cstdint>

namespace vantrel {

// Where the user-interface thread and the device monitor meet: three flags and three events.
struct MonitorState {
    std::atomic<std::int32_t> stopRequested{0};
    std::atomic<std::int32_t> samplingEnabled{0}; // no report read starts while it is 0
    std::atomic<std::int32_t> deviceConnected{0}; // the connection's reads all succeeded

    AutoResetEvent reconnectEvent; // a matching receiver arrived
    AutoResetEvent wakeEvent;      // the receiver left, or the program stops
    AutoResetEvent finishedEvent;  // the monitor's last act
};

// Holds the monitor's report reads off while the user-interface thread works with the device,
// and lets them go on however that work ends.
class SamplingPause {
public:
    explicit SamplingPause(MonitorState& state) : state_(state) { state_.samplingEnabled = 0; }
    ~SamplingPause() { state_.samplingEnabled = 1; }
    SamplingPause(const SamplingPause&) = delete;
    SamplingPause& operator=(const SamplingPause&) = delete;

private:
    MonitorState& state_;
};

// How long the user-interface thread waits for the monitor at the end, at most.
constexpr std::chrono::milliseconds STOP_WAIT{50};

// Called on the user-interface thread when a matching receiver arrives.
void signalArrival(MonitorState& state);

// Called on the user-interface thread when a matching receiver's removal has completed.
void signalRemoval(MonitorState& state);

// Asks the monitor to end and waits for it no longer than STOP_WAIT, whatever comes of it.
void stopMonitor(MonitorState& state);

} // namespace vantrel
