#pragma once

#include "device/DeviceBus.h"
#include "tests/soak/RequestLog.h"

#include <atomic>
#include <memory>

namespace vantrel::soak {

// The simulated receiver's bus as the program sees it, with every opened device wrapped so that
// each request and its answer reach the log on their way back to the link.
class RecordingBus : public DeviceBus {
public:
    RecordingBus(DeviceBus& bus, RequestLog& log);

    std::unique_ptr<DeviceInfoList> getClassDevs() override;
    std::uint32_t detailFixedSize() const override;
    std::uint32_t lastError() const override;
    void setLastError(std::uint32_t code) override;
    std::optional<std::string> errorText(std::uint32_t code) override;
    std::unique_ptr<DeviceTransport> open(const std::u16string& path) override;

    int walks() const { return walks_; }
    int opened() const { return opened_; }
    int closed() const { return closed_; }

private:
    DeviceBus& bus_;
    RequestLog& log_;
    std::atomic<int> walks_{0};
    std::atomic<int> opened_{0};
    std::atomic<int> closed_{0};
};

} // namespace vantrel::soak
