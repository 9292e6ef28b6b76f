#pragma once

#include "device/DeviceNotice.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vantrel {

// What a device-change event says, from its code and its record: an arrival or completed
// removal, with the interface path when the record is a device-interface one; nothing for every
// other event. Volumes, ports and other device types give a notice without a path. Nothing past
// the given bytes or past the record's own size is read, whichever ends first, and a path whose
// terminating 0 lies beyond that counts as none.
std::optional<DeviceNotice> parseDeviceChange(std::uint32_t event,
                                              std::span<const std::byte> record);

// The bytes of the record that a device-change event points at, as many as its size field
// claims; none for a null record. The host guarantees the header around the size field.
std::span<const std::byte> deviceChangeRecord(const void* record);

} // namespace vantrel
