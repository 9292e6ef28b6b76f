#pragma once

#include "device/DeviceNotice.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vantrel {

// What a device-change event says, from its code and its record: an arrival or completed
// removal, with the interface path when the record is a device-interface one of the USB device
// class; nothing for every other event. Volumes, ports, other device types and interfaces of other
// classes give a notice without a path. Nothing past the given bytes or past the record's own
// size is read, whichever ends first, and a path whose terminating 0 lies beyond that counts as
// none.
std::optional<DeviceNotice> parseDeviceChange(std::uint32_t event,
                                              std::span<const std::byte> record);

// What a device-change message says, from its two parameters as a Unicode window receives them:
// the event, and the address of the event's record in its wide form (the path in UTF-16) or null.
// Any program may send the message, with any event and any value beside it, so the value is taken
// for a record, and read as far as its size field claims, only with an arrival or a completed
// removal, whose record the host guarantees; with every other event it is never touched.
std::optional<DeviceNotice> parseDeviceChangeMessage(std::uintptr_t event, std::intptr_t record);

} // namespace vantrel
