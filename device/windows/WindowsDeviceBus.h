#pragma once

#include "device/DeviceBus.h"

namespace vantrel {

// The host's own device manager: the present USB device interfaces through SetupAPI, and the
// receiver's driver through a synchronous handle on the interface path.
class WindowsDeviceBus : public DeviceBus {
public:
    std::unique_ptr<DeviceInfoList> getClassDevs() override;
    std::uint32_t detailFixedSize() const override;
    std::uint32_t lastError() const override;
    void setLastError(std::uint32_t code) override;
    std::optional<std::string> errorText(std::uint32_t code) override;
    std::unique_ptr<DeviceTransport> open(const std::u16string& path) override;
};

} // namespace vantrel
