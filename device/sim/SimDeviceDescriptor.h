#pragma once

#include "device/sim/BusDevice.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// What a serving simulated receiver publishes in the runtime folder while it is plugged in: one
// small text file per device, `<name>.device`, replaced atomically.
//
//     vantrel-devsim-device 1
//     path \\?\usb#vid_7b4d&pid_0018#vantrel#{a5dcbf10-6530-11d2-901f-00c04fb951ed}
//     data vantrel.data
//     hardware-id USB\VID_7B4D&PID_0018&REV_0104
//     hardware-id USB\VID_7B4D&PID_0018
//
// A device without a hardware-ID list has the line `hardware-ids none` instead.
struct SimDeviceDescriptor {
    std::string interfacePath;
    std::string dataSocket; // a file name inside the runtime folder
    std::optional<std::vector<std::string>> hardwareIds;

    bool operator==(const SimDeviceDescriptor&) const = default;
};

constexpr std::string_view DESCRIPTOR_SUFFIX = ".device";
constexpr std::size_t MAX_DESCRIPTOR_SIZE = 4096;

std::string encodeDescriptor(const SimDeviceDescriptor& descriptor);

// Nothing for text that is not a complete, well-formed descriptor.
std::optional<SimDeviceDescriptor> decodeDescriptor(std::string_view text);

// The published device as a bus snapshot holds it.
BusDevice busDeviceOf(const SimDeviceDescriptor& descriptor);

} // namespace vantrel
