#pragma once

#include "tests/soak/Findings.h"
#include "tests/soak/SoakProgram.h"
#include "tests/soak/Tally.h"

namespace vantrel::soak {

// Plugging the receiver in until the monitor has connected, and pulling it out until the
// monitor waits for a device again, each within its bound.
class Connection {
public:
    Connection(SoakProgram& program, Tally& tally, Findings& findings)
        : program_(program), tally_(tally), findings_(findings) {}

    // The monitor's look for a receiver at its start, which finds none.
    bool awaitFirstLook();

    // Plugs the receiver in, and in again after each connection that failed on a fault. False,
    // after saying why, when no connection came.
    bool plugAndConnect();
    int failedPlugIns() const { return failedPlugIns_; }

    // Pulls the receiver out. False, after saying so, when the monitor did not come back to
    // waiting for a device.
    bool unplugAndRelease();

private:
    enum class Outcome { Connected, Failed, Hung };

    Outcome awaitOutcome(int openedBefore, std::size_t replugsBefore);
    bool isWaitingForDevice();
    bool awaitWaiting(const std::string& after);
    void checkWhatTheConnectionRead();

    SoakProgram& program_;
    Tally& tally_;
    Findings& findings_;
    int failedPlugIns_ = 0;
};

} // namespace vantrel::soak
