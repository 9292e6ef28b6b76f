#include "device/windows/DeviceChangeParser.h"
#include "device/windows/DeviceInterfaceFilter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using Bytes = std::vector<std::byte>;

constexpr std::uint32_t VOLUME = 2;
constexpr std::uint32_t PORT = 3;
constexpr std::uint32_t INTERFACE = 5;

const std::u16string receiverPath =
    u"\\\\?\\USB#VID_7B4D&PID_0018#5&2C3F0E1&0&2#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

void putLe32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::byte>((value >> (8 * i)) & 0xFF);
    }
}

void appendText(Bytes& bytes, std::u16string_view text) {
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::byte>(unit & 0xFF));
        bytes.push_back(static_cast<std::byte>(unit >> 8));
    }
}

// A record of the given device type: the header, then the body; its size field counts both
// unless the case sets it.
Bytes record(std::uint32_t deviceType, const Bytes& body, std::optional<std::uint32_t> size = {}) {
    Bytes bytes(BROADCAST_HEADER_SIZE + body.size());
    std::copy(body.begin(), body.end(), bytes.begin() + BROADCAST_HEADER_SIZE);
    putLe32(bytes, BROADCAST_SIZE_OFFSET, size.value_or(static_cast<std::uint32_t>(bytes.size())));
    putLe32(bytes, BROADCAST_DEVICE_TYPE_OFFSET, deviceType);
    return bytes;
}

// A device-interface record: the class, then the path with or without its terminating 0.
Bytes interfaceRecord(std::u16string_view path, bool terminated = true,
                      std::optional<std::uint32_t> size = {}) {
    const DeviceInterfaceFilter filter = usbDeviceInterfaceFilter();
    Bytes body(filter.bytes.begin() + BROADCAST_CLASS_GUID_OFFSET,
               filter.bytes.begin() + BROADCAST_NAME_OFFSET);
    appendText(body, path);
    if (terminated) {
        appendText(body, std::u16string_view(u"\0", 1));
    }
    return record(INTERFACE, body, size);
}

// A device-interface record of the receiver's path whose class differs from the USB device class
// in the given byte of the class field.
Bytes otherClassRecord(std::size_t classByte) {
    Bytes bytes = interfaceRecord(receiverPath);
    bytes[BROADCAST_CLASS_GUID_OFFSET + classByte] ^= std::byte{0x01};
    return bytes;
}

Bytes volumeRecord() {
    Bytes body(8); // unit mask, flags and padding
    body[0] = std::byte{0x04};
    return record(VOLUME, body);
}

// A port whose name reaches past where an interface record's path would start.
Bytes portRecord() {
    Bytes body;
    appendText(body, u"COM3 on USB\\VID_7B4D&PID_0018");
    appendText(body, std::u16string_view(u"\0", 1));
    return record(PORT, body);
}

Bytes prefix(const Bytes& bytes, std::size_t size) {
    return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)};
}

Bytes withTrailer(Bytes bytes, std::u16string_view trailer) {
    appendText(bytes, trailer);
    return bytes;
}

std::string describe(const std::optional<DeviceNotice>& notice) {
    if (!notice) {
        return "ignored";
    }
    std::string text = notice->kind == DeviceNotice::Kind::Arrival ? "arrival" : "removal";
    if (notice->path) {
        text += " of " + std::string(notice->path->begin(), notice->path->end());
    }
    return text;
}

TEST(DeviceChangeParser, ArrivalAndRemovalRecords) {
    const std::u16string lowerCase = u"\\\\?\\usb#vid_7b4d&pid_0018#1#{a5dcbf10}";
    const Bytes full = interfaceRecord(receiverPath);
    const std::uint32_t fullSize = static_cast<std::uint32_t>(full.size());
    const std::uint32_t pathEnd =
        static_cast<std::uint32_t>(BROADCAST_NAME_OFFSET + receiverPath.size() * 2);

    struct Case {
        const char* what;
        std::uint32_t event;
        Bytes record;
        std::optional<DeviceNotice> expected;
    };
    const DeviceNotice::Kind arrival = DeviceNotice::Kind::Arrival;
    const DeviceNotice::Kind removal = DeviceNotice::Kind::RemovalComplete;
    const Case cases[] = {
        {"interface arrival", DBT_DEVICEARRIVAL, full, DeviceNotice{arrival, receiverPath}},
        {"interface removal", DBT_DEVICEREMOVECOMPLETE, full, DeviceNotice{removal, receiverPath}},
        {"lower-case path", DBT_DEVICEARRIVAL, interfaceRecord(lowerCase),
         DeviceNotice{arrival, lowerCase}},
        {"empty path", DBT_DEVICEARRIVAL, interfaceRecord(u""), DeviceNotice{arrival, u""}},
        {"volume", DBT_DEVICEARRIVAL, volumeRecord(), DeviceNotice{arrival, {}}},
        {"port", DBT_DEVICEREMOVECOMPLETE, portRecord(), DeviceNotice{removal, {}}},
        {"no record", DBT_DEVICEARRIVAL, {}, DeviceNotice{arrival, {}}},
        {"header cut short", DBT_DEVICEARRIVAL, prefix(full, 6), DeviceNotice{arrival, {}}},
        {"path cut off by the given length", DBT_DEVICEARRIVAL, prefix(full, fullSize - 4),
         DeviceNotice{arrival, {}}},
        {"class cut off by the given length", DBT_DEVICEARRIVAL, prefix(full, 20),
         DeviceNotice{arrival, {}}},
        {"size field beyond the given bytes, path ends inside", DBT_DEVICEARRIVAL,
         interfaceRecord(receiverPath, true, fullSize + 64), DeviceNotice{arrival, receiverPath}},
        {"size field beyond the given bytes, no 0 inside", DBT_DEVICEARRIVAL,
         interfaceRecord(receiverPath, false, fullSize + 64), DeviceNotice{arrival, {}}},
        {"size field ends before the 0 that follows", DBT_DEVICEARRIVAL,
         withTrailer(interfaceRecord(receiverPath, false, pathEnd), std::u16string_view(u"\0", 1)),
         DeviceNotice{arrival, {}}},
        {"size field shorter than the header", DBT_DEVICEARRIVAL,
         interfaceRecord(receiverPath, true, 4), DeviceNotice{arrival, {}}},
        {"another class, first word", DBT_DEVICEARRIVAL, otherClassRecord(0),
         DeviceNotice{arrival, {}}},
        {"another class, last byte", DBT_DEVICEREMOVECOMPLETE, otherClassRecord(GUID_SIZE - 1),
         DeviceNotice{removal, {}}},
        {"size field ends inside the class", DBT_DEVICEARRIVAL,
         interfaceRecord(receiverPath, true, BROADCAST_NAME_OFFSET - 1), DeviceNotice{arrival, {}}},
        {"query remove", 0x8001, full, std::nullopt},
        {"remove pending", 0x8003, full, std::nullopt},
        {"custom event", 0x8006, full, std::nullopt},
        {"device nodes changed", 0x0007, {}, std::nullopt},
    };
    for (const auto& [what, event, bytes, expected] : cases) {
        EXPECT_EQ(describe(parseDeviceChange(event, bytes)), describe(expected)) << what;
    }
}

// A record as the host hands it over, by its address, aligned as the host's are.
struct AddressedRecord {
    explicit AddressedRecord(const Bytes& bytes) : words((bytes.size() + 3) / 4) {
        std::memcpy(words.data(), bytes.data(), bytes.size());
    }
    std::intptr_t address() const { return reinterpret_cast<std::intptr_t>(words.data()); }

    std::vector<std::uint32_t> words;
};

TEST(DeviceChangeParser, MessageRecordIsReadOnlyForArrivalAndRemovalAndOnlyAsFarAsItsSize) {
    const AddressedRecord full(interfaceRecord(receiverPath));
    // The path's 0 lies just past the size the record gives itself.
    const AddressedRecord cutBeforeItsZero(
        withTrailer(interfaceRecord(receiverPath, false,
                                    static_cast<std::uint32_t>(BROADCAST_NAME_OFFSET +
                                                               receiverPath.size() * 2)),
                    std::u16string_view(u"\0", 1)));
    const AddressedRecord otherClass(otherClassRecord(4));
    // Two bytes on their own, too short for even a size field: reading them is caught by the
    // address sanitizer.
    const auto twoBytes = std::make_unique<std::byte[]>(2);
    const auto shortRecord = reinterpret_cast<std::intptr_t>(twoBytes.get());
    // No program's memory lies there: reading it ends the test.
    const std::intptr_t unreadable = 0x10;

    struct Case {
        const char* what;
        std::uintptr_t event;
        std::intptr_t record;
        std::optional<DeviceNotice> expected;
    };
    const DeviceNotice::Kind arrival = DeviceNotice::Kind::Arrival;
    const DeviceNotice::Kind removal = DeviceNotice::Kind::RemovalComplete;
    const Case cases[] = {
        {"arrival", DBT_DEVICEARRIVAL, full.address(), DeviceNotice{arrival, receiverPath}},
        {"removal", DBT_DEVICEREMOVECOMPLETE, full.address(), DeviceNotice{removal, receiverPath}},
        {"arrival without a record", DBT_DEVICEARRIVAL, 0, DeviceNotice{arrival, {}}},
        {"a record read as far as its size", DBT_DEVICEARRIVAL, cutBeforeItsZero.address(),
         DeviceNotice{arrival, {}}},
        {"another class", DBT_DEVICEARRIVAL, otherClass.address(), DeviceNotice{arrival, {}}},
        {"query remove, a record", 0x8001, full.address(), std::nullopt},
        {"query remove, unreadable", 0x8001, unreadable, std::nullopt},
        {"remove pending, too short", 0x8003, shortRecord, std::nullopt},
        {"custom event, unreadable", 0x8006, unreadable, std::nullopt},
        {"device nodes changed, a raw value", 0x0007, -1, std::nullopt},
        {"configuration changed, unreadable", 0x0018, unreadable, std::nullopt},
        {"an arrival's code below a stray high bit",
         std::uintptr_t{DBT_DEVICEARRIVAL} | std::uintptr_t{1} << (sizeof(std::uintptr_t) * 8 - 1),
         unreadable, std::nullopt},
    };
    for (const auto& [what, event, record, expected] : cases) {
        EXPECT_EQ(describe(parseDeviceChangeMessage(event, record)), describe(expected)) << what;
    }
}

TEST(DeviceInterfaceFilter, BytesOfTheRegistrationRecord) {
    const std::uint8_t expected[DEVICE_INTERFACE_FILTER_SIZE] = {
        0x20, 0x00, 0x00, 0x00,                         // size 32
        0x05, 0x00, 0x00, 0x00,                         // device interface
        0x00, 0x00, 0x00, 0x00,                         // reserved
        0x10, 0xBF, 0xDC, 0xA5, 0x30, 0x65, 0xD2, 0x11, // {A5DCBF10-6530-11D2-
        0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED, //  901F-00C04FB951ED}
        0x00, 0x00, 0x00, 0x00,                         // empty path and padding
    };
    const DeviceInterfaceFilter filter = usbDeviceInterfaceFilter();
    for (std::size_t i = 0; i < DEVICE_INTERFACE_FILTER_SIZE; ++i) {
        EXPECT_EQ(std::to_integer<int>(filter.bytes[i]), expected[i]) << "byte " << i;
    }
    EXPECT_EQ(alignof(DeviceInterfaceFilter), 4U);
}

} // namespace
} // namespace vantrel
