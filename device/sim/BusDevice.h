#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vantrel {

// One present device as a bus snapshot holds it.
struct BusDevice {
    // Absent for a device that has no hardware-ID list at all.
    std::optional<std::vector<std::u16string>> hardwareIds;
    std::u16string interfacePath;
};

} // namespace vantrel
