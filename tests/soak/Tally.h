#pragma once

#include "devsim/Fault.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <string>

namespace vantrel::soak {

// What became of the saves of one kind.
struct SaveTally {
    int attempted = 0;
    int succeeded = 0;
    int failed = 0;
    int refused = 0;  // nothing to save, or an incomplete mapping
    int noDevice = 0; // the save guard found no device connected
};

// What the run did and met, for its summary.
struct Tally {
    int cycles = 0;
    std::array<int, devsim::FAULT_KIND_COUNT> faultsInjected{};
    std::uint64_t requestsFaulted = 0; // as the receiver counts them
    int vanished = 0;
    int plugIns = 0;
    int failedConnections = 0;
    SaveTally pcSaves;
    SaveTally x360Saves;
    SaveTally profileSaves;
    int provokedFileFailures = 0;

    std::string summary(std::uint64_t seed, int invariantFailures,
                        std::chrono::milliseconds wallTime) const;
};

} // namespace vantrel::soak
