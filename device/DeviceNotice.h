#pragma once

#include <optional>
#include <string>

namespace vantrel {

// A device arrival or completed removal as the host reports it. Records of device types other
// than device interfaces (volumes, ports) carry no path.
struct DeviceNotice {
    enum class Kind { Arrival, RemovalComplete };
    Kind kind;
    std::optional<std::u16string> path;
};

} // namespace vantrel
