#include "device/windows/DeviceChangeParser.h"

#include "device/windows/DeviceBroadcast.h"
#include "device/windows/DeviceInterfaceFilter.h"

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

bool isWatchedEvent(std::uintptr_t event) {
    return event == DBT_DEVICEARRIVAL || event == DBT_DEVICEREMOVECOMPLETE;
}

// Whether the class field, which lies before end, names the USB device interface class.
bool isUsbDeviceClass(std::span<const std::byte> record, std::size_t end) {
    if (end < BROADCAST_NAME_OFFSET) {
        return false;
    }
    const DeviceInterfaceFilter filter = usbDeviceInterfaceFilter();
    return std::equal(record.begin() + BROADCAST_CLASS_GUID_OFFSET,
                      record.begin() + BROADCAST_NAME_OFFSET,
                      filter.bytes.begin() + BROADCAST_CLASS_GUID_OFFSET);
}

std::optional<std::u16string> interfacePath(std::span<const std::byte> record) {
    if (record.size() < BROADCAST_HEADER_SIZE ||
        readLe32(record, BROADCAST_DEVICE_TYPE_OFFSET) != DBT_DEVTYP_DEVICEINTERFACE) {
        return std::nullopt;
    }
    const std::size_t end =
        std::min<std::size_t>(readLe32(record, BROADCAST_SIZE_OFFSET), record.size());
    if (!isUsbDeviceClass(record, end)) {
        return std::nullopt;
    }
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

// The record's bytes, as many as its size field claims; none for a null record.
std::span<const std::byte> recordAt(std::intptr_t address) {
    if (address == 0) {
        return {};
    }
    const auto* record = reinterpret_cast<const std::byte*>(address);
    std::uint32_t size = 0;
    std::memcpy(&size, record + BROADCAST_SIZE_OFFSET, sizeof size);
    return {record, size};
}

} // namespace

std::optional<DeviceNotice> parseDeviceChange(std::uint32_t event,
                                              std::span<const std::byte> record) {
    if (!isWatchedEvent(event)) {
        return std::nullopt;
    }
    const auto kind = event == DBT_DEVICEARRIVAL ? DeviceNotice::Kind::Arrival
                                                 : DeviceNotice::Kind::RemovalComplete;
    return DeviceNotice{kind, interfacePath(record)};
}

std::optional<DeviceNotice> parseDeviceChangeMessage(std::uintptr_t event, std::intptr_t record) {
    if (!isWatchedEvent(event)) {
        return std::nullopt;
    }
    return parseDeviceChange(static_cast<std::uint32_t>(event), recordAt(record));
}

} // namespace vantrel
