// Arbitrary device-change events: the first four bytes are the event code, the rest the record
// it points at. Only arrivals and completed removals give a notice, and only theirs is read; a path
// comes only from a device-interface record of the USB device class whose terminating 0 lies
// inside both the bytes and the record's own size, and is exactly the units before it; bytes past
// either end never matter.
#include "device/windows/DeviceBroadcast.h"
#include "device/windows/DeviceChangeParser.h"
#include "device/windows/DeviceInterfaceFilter.h"
#include "fuzz/FuzzCheck.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vantrel::fuzz {
namespace {

std::uint32_t le32(std::span<const std::byte> bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= std::to_integer<std::uint32_t>(bytes[offset + i]) << (8 * i);
    }
    return value;
}

char16_t unitAt(std::span<const std::byte> bytes, std::size_t offset) {
    return static_cast<char16_t>(std::to_integer<unsigned>(bytes[offset]) |
                                 (std::to_integer<unsigned>(bytes[offset + 1]) << 8));
}

bool sameNotice(const std::optional<DeviceNotice>& a, const std::optional<DeviceNotice>& b) {
    if (!a || !b) {
        return !a && !b;
    }
    return a->kind == b->kind && a->path == b->path;
}

// How far the record may be read: its bytes or its own size, whichever ends first.
std::size_t readableEnd(std::span<const std::byte> record) {
    return record.size() < 4 ? record.size()
                             : std::min<std::size_t>(le32(record, 0), record.size());
}

// A device-interface record of the USB device class, its class inside what may be read.
bool isInterfaceRecord(std::span<const std::byte> record) {
    if (readableEnd(record) < BROADCAST_NAME_OFFSET ||
        le32(record, BROADCAST_DEVICE_TYPE_OFFSET) != DBT_DEVTYP_DEVICEINTERFACE) {
        return false;
    }
    const DeviceInterfaceFilter filter = usbDeviceInterfaceFilter();
    return std::equal(record.begin() + BROADCAST_CLASS_GUID_OFFSET,
                      record.begin() + BROADCAST_NAME_OFFSET,
                      filter.bytes.begin() + BROADCAST_CLASS_GUID_OFFSET);
}

void checkPath(std::span<const std::byte> record, const std::optional<std::u16string>& path) {
    const std::size_t end = readableEnd(record);
    if (!path) {
        if (!isInterfaceRecord(record)) {
            return;
        }
        for (std::size_t offset = BROADCAST_NAME_OFFSET; offset + 2 <= end; offset += 2) {
            require(unitAt(record, offset) != u'\0',
                    "a device-interface record with a terminated path gives that path");
        }
        return;
    }
    require(isInterfaceRecord(record), "only a device-interface record carries a path");
    const std::size_t terminator = BROADCAST_NAME_OFFSET + 2 * path->size();
    require(terminator + 2 <= end, "the path's terminating 0 lies inside the record");
    require(unitAt(record, terminator) == u'\0', "the path ends at its terminating 0");
    for (std::size_t i = 0; i < path->size(); ++i) {
        const char16_t unit = unitAt(record, BROADCAST_NAME_OFFSET + 2 * i);
        require(unit != u'\0' && unit == (*path)[i], "the path is the record's units, as read");
    }
}

} // namespace
} // namespace vantrel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    using fuzz::require;
    if (size < 4) {
        return 0;
    }
    std::uint32_t event = 0;
    std::memcpy(&event, data, sizeof event);
    const std::span<const std::byte> record(reinterpret_cast<const std::byte*>(data + 4), size - 4);

    const std::optional<DeviceNotice> notice = parseDeviceChange(event, record);
    const bool watched = event == DBT_DEVICEARRIVAL || event == DBT_DEVICEREMOVECOMPLETE;
    require(notice.has_value() == watched, "only arrivals and completed removals give a notice");
    if (!notice) {
        // No program's memory lies at this address: a read of it ends the run.
        require(!parseDeviceChangeMessage(event, 0x10), "another event's value is never read");
        return 0;
    }
    require((notice->kind == DeviceNotice::Kind::Arrival) == (event == DBT_DEVICEARRIVAL),
            "the notice's kind is the event's");
    fuzz::checkPath(record, notice->path);

    // Cut to the readable part, in a buffer of its own so that a read past it is caught: the
    // notice stays the same.
    const std::size_t end = fuzz::readableEnd(record);
    const std::vector<std::byte> cut(record.begin(), record.begin() + static_cast<long>(end));
    require(fuzz::sameNotice(parseDeviceChange(event, cut), notice),
            "bytes past the record's size change nothing");

    // The record as the host hands it over, by its address alone, when the bytes hold all of it.
    if (record.size() >= 4 && fuzz::le32(record, 0) <= record.size()) {
        const auto address = reinterpret_cast<std::intptr_t>(record.data());
        require(fuzz::sameNotice(parseDeviceChangeMessage(event, address), notice),
                "the record by its address reads as the bytes do");
    }
    return 0;
}
