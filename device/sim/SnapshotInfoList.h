#pragma once

#include "device/DeviceBus.h"
#include "device/sim/BusCall.h"
#include "device/sim/BusDevice.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace vantrel {

// The interface detail record: a 4-byte size field, then the path in UTF-16LE ending in 0. Its
// fixed part counts the size field and the path's first code unit, as the host's 32-bit record
// does.
constexpr std::size_t DETAIL_SIZE_FIELD_SIZE = 4;
constexpr std::size_t DETAIL_PATH_OFFSET = DETAIL_SIZE_FIELD_SIZE;
constexpr std::uint32_t DETAIL_FIXED_SIZE = 6;
static_assert(DETAIL_FIXED_SIZE == DETAIL_PATH_OFFSET + sizeof(char16_t));

// A device list over a snapshot taken when the list was obtained, answering as the host's device
// manager does. Every call leaves its code in the calling thread's last error, 0 on success.
class SnapshotInfoList : public DeviceInfoList {
public:
    // Asked before each call; a code makes that call fail with it.
    using FaultHook = std::function<std::optional<std::uint32_t>(BusCall call)>;

    explicit SnapshotInfoList(std::vector<BusDevice> devices, FaultHook faultHook = {});

    bool enumDeviceInfo(std::uint32_t index) override;
    bool getHardwareIdProperty(std::uint32_t index, std::span<std::byte> buffer,
                               std::uint32_t& requiredSize) override;
    bool enumDeviceInterface(std::uint32_t index) override;
    bool getDeviceInterfaceDetail(std::uint32_t index, std::span<std::byte> detail,
                                  std::uint32_t& requiredSize) override;

private:
    // The common start of every call: the injected fault, then the index test.
    bool admit(BusCall call, std::uint32_t index, std::uint32_t missingCode);

    std::vector<BusDevice> devices_;
    FaultHook faultHook_;
};

} // namespace vantrel
