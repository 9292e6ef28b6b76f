#pragma once

#include "device/DeviceBus.h"
#include "device/sim/LoopbackAddress.h"

namespace vantrel {

// The one receiver that a simulated receiver's daemon serves at a loopback TCP address: present
// while the daemon answers there and has it plugged in, with the interface path and hardware IDs
// the daemon publishes. Opening it connects to the same address. For hosts that have no local
// sockets of the runtime folder.
class TcpDeviceBus : public DeviceBus {
public:
    explicit TcpDeviceBus(LoopbackAddress address);

    std::unique_ptr<DeviceInfoList> getClassDevs() override;
    std::uint32_t detailFixedSize() const override;
    std::uint32_t lastError() const override;
    void setLastError(std::uint32_t code) override;
    std::optional<std::string> errorText(std::uint32_t code) override;
    std::unique_ptr<DeviceTransport> open(const std::u16string& path) override;

    const LoopbackAddress& address() const { return address_; }

private:
    LoopbackAddress address_;
};

} // namespace vantrel
