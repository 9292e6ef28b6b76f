#pragma once

#include "device/DeviceBus.h"
#include "device/sim/BusCall.h"
#include "devsim/BusFaultBook.h"
#include "devsim/Receiver.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::devsim {

// One device on the in-process bus.
struct InProcessDevice {
    // Absent for a device without a hardware-ID list.
    std::optional<std::vector<std::u16string>> hardwareIds;
    std::u16string interfacePath;
    // Null for a device of another kind, which refuses to be opened.
    std::shared_ptr<Receiver> receiver;
};

// A simulated receiver as the bus shows it: its hardware IDs and a path with this instance.
InProcessDevice receiverDevice(std::shared_ptr<Receiver> receiver, std::string_view instance);

// A device of another kind with these hardware IDs (or none).
InProcessDevice otherDevice(const std::optional<std::vector<std::string>>& hardwareIds,
                            std::string_view instance);

// A device bus over in-process receivers, so that the discovery walk and the monitor run without
// a daemon. Present are the added devices whose receiver, if any, is plugged in, in the order they
// were added. Each call can be made to fail on purpose.
class InProcessBus : public DeviceBus {
public:
    using DeviceId = std::uint32_t;

    DeviceId add(InProcessDevice device);
    void remove(DeviceId id);

    // The next `times` calls of this kind fail with the code, whatever the device.
    void failNext(BusCall call, std::uint32_t error, int times = 1);
    int calls(BusCall call) const;

    std::unique_ptr<DeviceInfoList> getClassDevs() override;
    std::uint32_t detailFixedSize() const override;
    std::uint32_t lastError() const override;
    void setLastError(std::uint32_t code) override;
    std::optional<std::string> errorText(std::uint32_t code) override;
    // Paths compare without regard to ASCII case, as the host's do.
    std::unique_ptr<DeviceTransport> open(const std::u16string& path) override;

private:
    std::vector<InProcessDevice> presentDevices() const;

    mutable std::mutex mutex_;
    std::map<DeviceId, InProcessDevice> devices_;
    DeviceId nextId_ = 1;
    std::shared_ptr<BusFaultBook> faults_ = std::make_shared<BusFaultBook>();
};

} // namespace vantrel::devsim
