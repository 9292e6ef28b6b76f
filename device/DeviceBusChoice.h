#pragma once

#include "device/DeviceBus.h"
#include "device/sim/LoopbackAddress.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// The environment variable that picks the device bus a program talks to at start.
constexpr const char* DEVICE_VARIABLE = "VANTREL_DEVICE";

struct DeviceBusChoice {
    enum class Kind {
        Platform,  // the host's own: its device manager on Windows, the runtime folder elsewhere
        Tcp,       // a simulated receiver served at a loopback TCP address
        InProcess, // a simulated receiver inside the program, plugged in, with factory memory
    };
    Kind kind = Kind::Platform;
    LoopbackAddress address; // for Tcp
    // The one-line complaint about a value that was not understood; the host's own bus is used
    // then. Empty when the value was understood.
    std::string problem;
};

// What a value of the variable asks for: unset or empty, `tcp:HOST:PORT` (HOST localhost or
// 127.x.y.z) or `inprocess`.
DeviceBusChoice parseDeviceBusChoice(std::optional<std::string_view> value);

std::unique_ptr<DeviceBus> makeDeviceBus(const DeviceBusChoice& choice);

// What the environment asks for, read once at the program's start. A value that is not
// understood is named on standard error in one line, and the program goes on with the host's own
// bus.
DeviceBusChoice deviceBusChoiceFromEnvironment();

} // namespace vantrel
