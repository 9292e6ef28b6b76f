#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The records by which the host tells a window of device arrival and removal, byte by byte as
// the host lays them out, and the class of USB device interfaces the tool watches. Plain data:
// the records are read and built without the host's headers.
namespace vantrel {

// The device-change events the tool looks at; every other event passes unexamined.
constexpr std::uint32_t DBT_DEVICEARRIVAL = 0x8000;
constexpr std::uint32_t DBT_DEVICEREMOVECOMPLETE = 0x8004;

// The common header of every record: size, device type, reserved, each a little-endian 32-bit
// word. The size counts the whole record.
constexpr std::size_t BROADCAST_SIZE_OFFSET = 0;
constexpr std::size_t BROADCAST_DEVICE_TYPE_OFFSET = 4;
constexpr std::size_t BROADCAST_RESERVED_OFFSET = 8;
constexpr std::size_t BROADCAST_HEADER_SIZE = 12;

// A device-interface record follows the header with the interface class and then the interface
// path as UTF-16LE ending in 0. Volume and port records carry other device types.
constexpr std::uint32_t DBT_DEVTYP_DEVICEINTERFACE = 5;
constexpr std::size_t BROADCAST_CLASS_GUID_OFFSET = BROADCAST_HEADER_SIZE;
constexpr std::size_t GUID_SIZE = 16;
constexpr std::size_t BROADCAST_NAME_OFFSET = BROADCAST_CLASS_GUID_OFFSET + GUID_SIZE;

// The record with a one-unit path, padded to the 4-byte alignment of its words: the size a
// registration filter gives.
constexpr std::size_t DEVICE_INTERFACE_FILTER_SIZE = 32;
static_assert(DEVICE_INTERFACE_FILTER_SIZE == BROADCAST_NAME_OFFSET + sizeof(char16_t) + 2);

struct InterfaceClassGuid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::array<std::uint8_t, 8> data4;
};

// {A5DCBF10-6530-11D2-901F-00C04FB951ED}
inline constexpr InterfaceClassGuid GUID_DEVINTERFACE_USB_DEVICE{
    0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};

} // namespace vantrel
