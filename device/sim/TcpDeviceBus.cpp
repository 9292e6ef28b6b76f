#include "device/sim/TcpDeviceBus.h"

#include "device/sim/AsciiText.h"
#include "device/sim/BusErrors.h"
#include "device/sim/SnapshotInfoList.h"
#include "device/sim/TcpDeviceWatch.h"
#include "device/sim/TcpTransport.h"

namespace vantrel {

TcpDeviceBus::TcpDeviceBus(LoopbackAddress address) : address_(address) {
}

std::unique_ptr<DeviceInfoList> TcpDeviceBus::getClassDevs() {
    std::vector<BusDevice> devices;
    // No daemon at the address is a bus without devices, as an empty runtime folder is.
    if (const auto state = presentedDevice(address_, REPLY_TIMEOUT); state && state->device) {
        devices.push_back(busDeviceOf(*state->device));
    }
    setBusLastError(ERROR_SUCCESS);
    return std::make_unique<SnapshotInfoList>(std::move(devices));
}

std::uint32_t TcpDeviceBus::detailFixedSize() const {
    return DETAIL_FIXED_SIZE;
}

std::uint32_t TcpDeviceBus::lastError() const {
    return busLastError();
}

void TcpDeviceBus::setLastError(std::uint32_t code) {
    setBusLastError(code);
}

std::optional<std::string> TcpDeviceBus::errorText(std::uint32_t code) {
    return busErrorText(code);
}

std::unique_ptr<DeviceTransport> TcpDeviceBus::open(const std::u16string& path) {
    const auto state = presentedDevice(address_, REPLY_TIMEOUT);
    if (state && state->device &&
        equalIgnoringAsciiCase(widenAscii(state->device->interfacePath), path)) {
        if (auto transport = TcpTransport::connect(address_)) {
            setBusLastError(ERROR_SUCCESS);
            return transport;
        }
    }
    setBusLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
}

} // namespace vantrel
