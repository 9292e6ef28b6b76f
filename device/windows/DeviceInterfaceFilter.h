#pragma once

#include "device/windows/DeviceBroadcast.h"

#include <array>
#include <cstddef>

namespace vantrel {

// The record that registers a window for arrival and removal notices of USB device interfaces:
// size 32, device type 5, reserved 0, the class, and an empty path. Aligned like the host's
// record, so that its address can be handed over as it is.
struct alignas(4) DeviceInterfaceFilter {
    std::array<std::byte, DEVICE_INTERFACE_FILTER_SIZE> bytes;
};
static_assert(sizeof(DeviceInterfaceFilter) == DEVICE_INTERFACE_FILTER_SIZE);

DeviceInterfaceFilter usbDeviceInterfaceFilter();

} // namespace vantrel
