#pragma once

#include "device/DeviceBus.h"
#include "platform/Messages.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

class DeviceLink;

// Finds the receiver among the present devices of the USB device interface class and opens it.
// Runs on the device monitor thread alone, which owns devicePath.
class DeviceDiscovery {
public:
    DeviceDiscovery(DeviceBus& bus, Messages& messages);

    // Walks the present devices; true when one's hardware-ID list holds the pattern. Only then,
    // and only when its interface path could be had, devicePath changes.
    bool findDevice(std::u16string_view pattern);

    // Finds the receiver and opens its path into the link, or leaves the link without a device.
    // A device that opened enables sampling. Shows nothing of its own.
    void openDevice(DeviceLink& link, std::atomic<std::int32_t>& samplingEnabled);

    // Shows a host failure as "<what> FAILURE: <the host's text>", keeping the last error.
    void reportFailure(std::string_view what);

    const std::u16string& devicePath() const { return devicePath_; }

private:
    enum class HardwareIds { Match, NoMatch, WalkEnds };

    HardwareIds readHardwareIds(DeviceInfoList& list, std::uint32_t index,
                                std::u16string_view pattern);
    void queryInterfacePath(DeviceInfoList& list, std::uint32_t index);

    DeviceBus& bus_;
    Messages& messages_;
    std::u16string devicePath_;
};

// The size queries repeat while the host asks for a larger buffer; a host that never stops
// asking, or asks for more than any device path needs, is treated as out of memory.
constexpr int MAX_SIZE_QUERIES = 16;
constexpr std::uint32_t MAX_QUERY_BUFFER = 1u << 20;
constexpr std::uint32_t FIRST_DETAIL_SIZE = 6;

} // namespace vantrel
