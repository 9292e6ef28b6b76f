#pragma once

#include "device/DeviceBus.h"

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::test {

// One present device as the scripted bus shows it.
struct BusDevice {
    std::optional<std::vector<std::u16string>> hardwareIds; // nothing: the device has no list
    std::optional<std::uint32_t> propertyError;  // the list query fails with this code instead
    std::optional<std::uint32_t> interfaceError; // the interface enumeration fails
    std::optional<std::uint32_t> detailError;    // the detail query fails with this code
    std::optional<std::uint32_t> detailRequired; // the size the detail query asks for
    std::u16string path;
};

// A bus whose devices and failures the test sets, and which logs the calls the walk makes.
class ScriptedBus : public DeviceBus {
public:
    using Opener = std::function<std::unique_ptr<DeviceTransport>(const std::u16string&)>;

    void setDevices(std::vector<BusDevice> devices);
    void failClassDevs(std::uint32_t code);
    void setOpener(Opener opener);
    // The host has no text for this code.
    void withoutText(std::uint32_t code);
    // The fixed part of the detail record, 6 unless set (8 on a 64-bit host): a detail query
    // whose buffer or size field differs from it is refused, as the host refuses it.
    void setDetailFixedSize(std::uint32_t size);
    std::vector<std::string> calls() const;
    void clearCalls();

    std::unique_ptr<DeviceInfoList> getClassDevs() override;
    std::uint32_t detailFixedSize() const override;
    std::uint32_t lastError() const override;
    void setLastError(std::uint32_t code) override;
    std::optional<std::string> errorText(std::uint32_t code) override;
    std::unique_ptr<DeviceTransport> open(const std::u16string& path) override;

    // Used by the lists it hands out.
    void log(std::string call);
    std::vector<BusDevice> devices() const;

private:
    mutable std::mutex mutex_;
    std::vector<BusDevice> devices_;
    std::optional<std::uint32_t> classDevsError_;
    Opener opener_;
    std::uint32_t detailFixedSize_ = 6;
    std::vector<std::string> calls_;
    std::uint32_t lastError_ = 0;
    std::optional<std::uint32_t> textless_;
};

// The bytes of a hardware-ID list as the host hands it out.
std::vector<std::byte> multiString(const std::vector<std::u16string>& entries);

} // namespace vantrel::test
