#pragma once

#include "device/DeviceBus.h"
#include "device/sim/SimBusFolder.h"

#include <filesystem>

namespace vantrel {

// The present devices are those that serving simulated receivers publish in the runtime folder;
// opening one connects to its daemon's data socket.
class SimDeviceBus : public DeviceBus {
public:
    explicit SimDeviceBus(std::filesystem::path folder = simBusFolder());

    std::unique_ptr<DeviceInfoList> getClassDevs() override;
    std::uint32_t detailFixedSize() const override;
    std::uint32_t lastError() const override;
    void setLastError(std::uint32_t code) override;
    std::optional<std::string> errorText(std::uint32_t code) override;
    std::unique_ptr<DeviceTransport> open(const std::u16string& path) override;

private:
    std::filesystem::path folder_;
};

} // namespace vantrel
