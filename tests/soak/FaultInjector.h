#pragma once

#include "devsim/Fault.h"
#include "devsim/Receiver.h"
#include "tests/soak/Findings.h"
#include "tests/soak/SoakRandom.h"
#include "tests/soak/Tally.h"

namespace vantrel::soak {

// Chooses faults by the seed and lays them in wait in the receiver: error codes (the ending
// ones and others), short counts, changed read-backs, vanishing mid-request and slow replies.
// Most are few enough for the link's repetitions to ride out; some outlast its bound.
class FaultInjector {
public:
    FaultInjector(devsim::Receiver& receiver, SoakRandom& random, Tally& tally, Findings& findings)
        : receiver_(receiver), random_(random), tally_(tally), findings_(findings) {}

    // Now and then one or two faults, for the requests about to come.
    void maybeInject();

private:
    devsim::Fault pick();

    devsim::Receiver& receiver_;
    SoakRandom& random_;
    Tally& tally_;
    Findings& findings_;
};

} // namespace vantrel::soak
