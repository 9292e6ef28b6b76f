#pragma once

#include <cstdint>

namespace vantrel::soak {

// How long the soak runs and which script of chance it follows: VANTREL_SOAK_CYCLES and
// VANTREL_SOAK_SEED, or a short run with a fixed seed.
struct SoakSettings {
    int cycles = 50;
    std::uint64_t seed = 20261210;

    static SoakSettings fromEnvironment();
};

} // namespace vantrel::soak
