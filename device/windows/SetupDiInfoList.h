#pragma once

// Included by the SetupAPI backend's own sources only: it brings in the host's headers.
#include "device/DeviceBus.h"

#include <optional>

#include <windows.h>

#include <setupapi.h>

namespace vantrel {

// The USB device interface class as the host's calls take it.
const GUID& usbDeviceInterfaceClass();

// One device information set of present USB device interfaces. Every call leaves the host's
// code in the thread's last error. The calls name a device by its enumeration index; the
// device's and its interface's records from the latest enumeration are kept for the calls that
// follow it.
class SetupDiInfoList : public DeviceInfoList {
public:
    explicit SetupDiInfoList(HDEVINFO set) : set_(set) {}
    ~SetupDiInfoList() override;
    SetupDiInfoList(const SetupDiInfoList&) = delete;
    SetupDiInfoList& operator=(const SetupDiInfoList&) = delete;

    bool enumDeviceInfo(std::uint32_t index) override;
    bool getHardwareIdProperty(std::uint32_t index, std::span<std::byte> buffer,
                               std::uint32_t& requiredSize) override;
    bool enumDeviceInterface(std::uint32_t index) override;
    bool getDeviceInterfaceDetail(std::uint32_t index, std::span<std::byte> detail,
                                  std::uint32_t& requiredSize) override;

private:
    bool selectDevice(std::uint32_t index);
    bool selectInterface(std::uint32_t index);

    HDEVINFO set_;
    SP_DEVINFO_DATA device_{};
    std::optional<std::uint32_t> deviceIndex_;
    SP_DEVICE_INTERFACE_DATA interface_{};
    std::optional<std::uint32_t> interfaceIndex_;
};

} // namespace vantrel
