#include "tests/soak/SoakSettings.h"

#include <cstdlib>
#include <string>

namespace vantrel::soak {

SoakSettings SoakSettings::fromEnvironment() {
    SoakSettings settings;
    if (const char* cycles = std::getenv("VANTREL_SOAK_CYCLES")) {
        settings.cycles = std::stoi(cycles);
    }
    if (const char* seed = std::getenv("VANTREL_SOAK_SEED")) {
        settings.seed = std::stoull(seed);
    }
    return settings;
}

} // namespace vantrel::soak
