#include "device/sim/SimDeviceBus.h"

#include "device/sim/AsciiText.h"
#include "device/sim/BusErrors.h"
#include "device/sim/PublishedDevices.h"
#include "device/sim/SimTransport.h"
#include "device/sim/SnapshotInfoList.h"

namespace vantrel {

SimDeviceBus::SimDeviceBus(std::filesystem::path folder) : folder_(std::move(folder)) {
}

std::unique_ptr<DeviceInfoList> SimDeviceBus::getClassDevs() {
    std::error_code error;
    std::vector<BusDevice> devices;
    if (std::filesystem::exists(folder_, error)) {
        // Another user's folder could hold anything: it is not a bus of ours.
        if (checkPrivateFolder(folder_)) {
            setBusLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        }
        for (const auto& published : readPublishedDevices(folder_)) {
            devices.push_back(busDeviceOf(published.descriptor));
        }
    }
    setBusLastError(ERROR_SUCCESS);
    return std::make_unique<SnapshotInfoList>(std::move(devices));
}

std::uint32_t SimDeviceBus::detailFixedSize() const {
    return DETAIL_FIXED_SIZE;
}

std::uint32_t SimDeviceBus::lastError() const {
    return busLastError();
}

void SimDeviceBus::setLastError(std::uint32_t code) {
    setBusLastError(code);
}

std::optional<std::string> SimDeviceBus::errorText(std::uint32_t code) {
    return busErrorText(code);
}

std::unique_ptr<DeviceTransport> SimDeviceBus::open(const std::u16string& path) {
    if (!checkPrivateFolder(folder_)) {
        for (const auto& published : readPublishedDevices(folder_)) {
            if (!equalIgnoringAsciiCase(widenAscii(published.descriptor.interfacePath), path)) {
                continue;
            }
            if (auto transport = SimTransport::connect(folder_ / published.descriptor.dataSocket)) {
                setBusLastError(ERROR_SUCCESS);
                return transport;
            }
            break;
        }
    }
    setBusLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
}

} // namespace vantrel
