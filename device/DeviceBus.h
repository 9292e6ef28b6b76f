#pragma once

#include "device/DeviceTransport.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace vantrel {

// The platform calls the discovery walk makes, one method each, in the shape the host's device
// manager offers them. The walk is written once over this seam; the Windows device manager, the
// simulated receiver's bus and the tests' scripted bus stand behind it.
//
// All of it is called from the device monitor thread only, and every call may block briefly.
// Failing calls return false and leave their code for lastError().

// One snapshot of the present devices of the USB device interface class.
class DeviceInfoList {
public:
    // Destroying the list is the last call of every walk that obtained one.
    virtual ~DeviceInfoList() = default;

    // Whether a device stands at this enumeration index; false (ERROR_NO_MORE_ITEMS) past the end.
    virtual bool enumDeviceInfo(std::uint32_t index) = 0;

    // The device's hardware-ID list: UTF-16LE strings, each ending in a 0 code unit, the list
    // ending in an empty one. With a buffer too small (including none) it fails with
    // ERROR_INSUFFICIENT_BUFFER and sets requiredSize; a device without a list fails with
    // ERROR_INVALID_DATA.
    virtual bool getHardwareIdProperty(std::uint32_t index, std::span<std::byte> buffer,
                                       std::uint32_t& requiredSize) = 0;

    // Whether the device has a first interface of the class.
    virtual bool enumDeviceInterface(std::uint32_t index) = 0;

    // The first interface's detail into a caller's buffer: a 4-byte size field the caller has set
    // to detailFixedSize(), then the interface path as UTF-16LE ending in 0. A buffer too small
    // fails with ERROR_INSUFFICIENT_BUFFER and sets requiredSize.
    virtual bool getDeviceInterfaceDetail(std::uint32_t index, std::span<std::byte> detail,
                                          std::uint32_t& requiredSize) = 0;
};

class DeviceBus {
public:
    virtual ~DeviceBus() = default;

    // The present devices of the class; null on failure.
    virtual std::unique_ptr<DeviceInfoList> getClassDevs() = 0;

    // The fixed part of the interface detail record that precedes the path.
    virtual std::uint32_t detailFixedSize() const = 0;

    // The calling thread's last error code, as the platform numbers it.
    virtual std::uint32_t lastError() const = 0;
    virtual void setLastError(std::uint32_t code) = 0;

    // The host's own text for an error code, or nothing when it has none.
    virtual std::optional<std::string> errorText(std::uint32_t code) = 0;

    // Opens an interface path for reading and writing, shareable for reading, synchronous.
    // Null when the open failed.
    virtual std::unique_ptr<DeviceTransport> open(const std::u16string& path) = 0;
};

// Error codes of the walk, numbered as the platform numbers them.
constexpr std::uint32_t ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr std::uint32_t ERROR_INVALID_DATA = 13;
constexpr std::uint32_t ERROR_INSUFFICIENT_BUFFER = 122;
constexpr std::uint32_t ERROR_NO_MORE_ITEMS = 259;

} // namespace vantrel
