#include "device/MonitorState.h"

namespace vantrel {

void signalArrival(MonitorState& state) {
    state.samplingEnabled = 1;
    // A wake left behind by an earlier removal must not end the connection about to start.
    state.wakeEvent.reset();
    state.reconnectEvent.set();
}

void signalRemoval(MonitorState& state) {
    state.samplingEnabled = 0;
    state.wakeEvent.set();
}

void stopMonitor(MonitorState& state) {
    state.stopRequested = 1;
    state.wakeEvent.set();
    state.finishedEvent.wait(STOP_WAIT);
}

} // namespace vantrel
