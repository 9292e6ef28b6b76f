#include "devsim/InProcessBus.h"

#include "device/sim/AsciiText.h"
#include "device/sim/BusErrors.h"
#include "device/sim/SnapshotInfoList.h"
#include "devsim/ReceiverIdentity.h"

namespace vantrel::devsim {

namespace {

std::optional<std::vector<std::u16string>>
widenIds(const std::optional<std::vector<std::string>>& ids) {
    if (!ids) {
        return std::nullopt;
    }
    std::vector<std::u16string> wide;
    for (const auto& id : *ids) {
        wide.push_back(widenAscii(id));
    }
    return wide;
}

} // namespace

InProcessDevice receiverDevice(std::shared_ptr<Receiver> receiver, std::string_view instance) {
    const auto ids = receiverHardwareIds();
    return {widenIds(ids), widenAscii(interfacePathFor(ids, instance)), std::move(receiver)};
}

InProcessDevice otherDevice(const std::optional<std::vector<std::string>>& hardwareIds,
                            std::string_view instance) {
    return {widenIds(hardwareIds), widenAscii(interfacePathFor(hardwareIds, instance)), nullptr};
}

InProcessBus::DeviceId InProcessBus::add(InProcessDevice device) {
    std::lock_guard lock(mutex_);
    const DeviceId id = nextId_++;
    devices_.emplace(id, std::move(device));
    return id;
}

void InProcessBus::remove(DeviceId id) {
    std::lock_guard lock(mutex_);
    devices_.erase(id);
}

void InProcessBus::failNext(BusCall call, std::uint32_t error, int times) {
    faults_->failNext(call, error, times);
}

int InProcessBus::calls(BusCall call) const {
    return faults_->calls(call);
}

std::vector<InProcessDevice> InProcessBus::presentDevices() const {
    std::lock_guard lock(mutex_);
    std::vector<InProcessDevice> present;
    for (const auto& [id, device] : devices_) {
        if (!device.receiver || device.receiver->isPlugged()) {
            present.push_back(device);
        }
    }
    return present;
}

std::unique_ptr<DeviceInfoList> InProcessBus::getClassDevs() {
    if (const auto error = faults_->onCall(BusCall::GetClassDevs)) {
        setBusLastError(*error);
        return nullptr;
    }
    std::vector<BusDevice> snapshot;
    for (const auto& device : presentDevices()) {
        snapshot.push_back({device.hardwareIds, device.interfacePath});
    }
    setBusLastError(ERROR_SUCCESS);
    return std::make_unique<SnapshotInfoList>(
        std::move(snapshot), [faults = faults_](BusCall call) { return faults->onCall(call); });
}

std::uint32_t InProcessBus::detailFixedSize() const {
    return DETAIL_FIXED_SIZE;
}

std::uint32_t InProcessBus::lastError() const {
    return busLastError();
}

void InProcessBus::setLastError(std::uint32_t code) {
    setBusLastError(code);
}

std::optional<std::string> InProcessBus::errorText(std::uint32_t code) {
    return busErrorText(code);
}

std::unique_ptr<DeviceTransport> InProcessBus::open(const std::u16string& path) {
    if (const auto error = faults_->onCall(BusCall::Open)) {
        setBusLastError(*error);
        return nullptr;
    }
    for (const auto& device : presentDevices()) {
        if (!equalIgnoringAsciiCase(device.interfacePath, path)) {
            continue;
        }
        if (!device.receiver) {
            setBusLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        }
        if (auto transport = device.receiver->open()) {
            setBusLastError(ERROR_SUCCESS);
            return transport;
        }
        break;
    }
    setBusLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
}

} // namespace vantrel::devsim
