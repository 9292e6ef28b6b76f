#include "device/windows/DeviceChangeParser.h"

#include "device/windows/DeviceBroadcast.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace vantrel {

namespace {

std::uint32_t readLe32(std::span<const std::byte> bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= std::to_integer<std::uint32_t>(bytes[offset + i]) << (8 * i);
    }
    return value;
}

std::optional<std::u16string> interfacePath(std::span<const std::byte> record) {
    if (record.size() < BROADCAST_HEADER_SIZE ||
        readLe32(record, BROADCAST_DEVICE_TYPE_OFFSET) != DBT_DEVTYP_DEVICEINTERFACE) {
        return std::nullopt;
    }
    const std::size_t end =
        std::min<std::size_t>(readLe32(record, BROADCAST_SIZE_OFFSET), record.size());
    std::u16string path;
    for (std::size_t offset = BROADCAST_NAME_OFFSET; offset + 1 < end; offset += 2) {
        const auto unit =
            static_cast<char16_t>(std::to_integer<unsigned>(record[offset]) |
                                  (std::to_integer<unsigned>(record[offset + 1]) << 8));
        if (unit == u'\0') {
            return path;
        }
        path.push_back(unit);
    }
    return std::nullopt;
}

} // namespace

std::optional<DeviceNotice> parseDeviceChange(std::uint32_t event,
                                              std::span<const std::byte> record) {
    if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) {
        return std::nullopt;
    }
    const auto kind = event == DBT_DEVICEARRIVAL ? DeviceNotice::Kind::Arrival
                                                 : DeviceNotice::Kind::RemovalComplete;
    return DeviceNotice{kind, interfacePath(record)};
}

std::span<const std::byte> deviceChangeRecord(const void* record) {
    if (record == nullptr) {
        return {};
    }
    std::uint32_t size = 0;
    std::memcpy(&size, record, sizeof size);
    return {static_cast<const std::byte*>(record), size};
}

} // namespace vantrel
