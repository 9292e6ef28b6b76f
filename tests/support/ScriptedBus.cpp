#include "tests/support/ScriptedBus.h"

#include <algorithm>
#include <cstring>

namespace vantrel::test {

std::vector<std::byte> multiString(const std::vector<std::u16string>& entries) {
    std::vector<std::byte> bytes;
    const auto put = [&](char16_t unit) {
        bytes.push_back(static_cast<std::byte>(unit & 0xFF));
        bytes.push_back(static_cast<std::byte>(unit >> 8));
    };
    for (const auto& entry : entries) {
        std::for_each(entry.begin(), entry.end(), put);
        put(0);
    }
    put(0);
    return bytes;
}

namespace {

constexpr std::uint32_t ERROR_INVALID_USER_BUFFER = 1784;

std::uint32_t sizeField(std::span<const std::byte> detail) {
    std::uint32_t size = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        size |= std::to_integer<std::uint32_t>(detail[i]) << (8 * i);
    }
    return size;
}

class ScriptedList : public DeviceInfoList {
public:
    explicit ScriptedList(ScriptedBus& bus) : bus_(bus), devices_(bus.devices()) {}
    ~ScriptedList() override { bus_.log("destroy"); }

    bool enumDeviceInfo(std::uint32_t index) override {
        bus_.log("enum " + std::to_string(index));
        if (index >= devices_.size()) {
            bus_.setLastError(ERROR_NO_MORE_ITEMS);
            return false;
        }
        return true;
    }

    bool getHardwareIdProperty(std::uint32_t index, std::span<std::byte> buffer,
                               std::uint32_t& requiredSize) override {
        bus_.log("property " + std::to_string(index) + " size " + std::to_string(buffer.size()));
        const BusDevice& device = devices_.at(index);
        if (device.propertyError) {
            bus_.setLastError(*device.propertyError);
            return false;
        }
        if (!device.hardwareIds) {
            bus_.setLastError(ERROR_INVALID_DATA);
            return false;
        }
        const std::vector<std::byte> list = multiString(*device.hardwareIds);
        requiredSize = static_cast<std::uint32_t>(list.size());
        if (buffer.size() < list.size()) {
            bus_.setLastError(ERROR_INSUFFICIENT_BUFFER);
            return false;
        }
        std::copy(list.begin(), list.end(), buffer.begin());
        return true;
    }

    bool enumDeviceInterface(std::uint32_t index) override {
        bus_.log("interface " + std::to_string(index));
        if (const auto& error = devices_.at(index).interfaceError) {
            bus_.setLastError(*error);
            return false;
        }
        return true;
    }

    bool getDeviceInterfaceDetail(std::uint32_t index, std::span<std::byte> detail,
                                  std::uint32_t& requiredSize) override {
        bus_.log("detail " + std::to_string(index) + " size " + std::to_string(detail.size()));
        const BusDevice& device = devices_.at(index);
        if (device.detailError) {
            bus_.setLastError(*device.detailError);
            return false;
        }
        const std::uint32_t fixedSize = bus_.detailFixedSize();
        if (detail.size() < fixedSize || sizeField(detail) != fixedSize) {
            bus_.setLastError(ERROR_INVALID_USER_BUFFER);
            return false;
        }
        std::vector<std::byte> path = multiString({device.path});
        path.resize(path.size() - 2); // one terminating 0, not a list's two
        requiredSize = device.detailRequired.value_or(static_cast<std::uint32_t>(4 + path.size()));
        if (detail.size() < requiredSize) {
            bus_.setLastError(ERROR_INSUFFICIENT_BUFFER);
            return false;
        }
        std::copy(path.begin(), path.end(), detail.begin() + 4);
        return true;
    }

private:
    ScriptedBus& bus_;
    std::vector<BusDevice> devices_;
};

} // namespace

void ScriptedBus::setDevices(std::vector<BusDevice> devices) {
    std::lock_guard lock(mutex_);
    devices_ = std::move(devices);
}

void ScriptedBus::failClassDevs(std::uint32_t code) {
    std::lock_guard lock(mutex_);
    classDevsError_ = code;
}

void ScriptedBus::setOpener(Opener opener) {
    std::lock_guard lock(mutex_);
    opener_ = std::move(opener);
}

void ScriptedBus::setDetailFixedSize(std::uint32_t size) {
    std::lock_guard lock(mutex_);
    detailFixedSize_ = size;
}

std::uint32_t ScriptedBus::detailFixedSize() const {
    std::lock_guard lock(mutex_);
    return detailFixedSize_;
}

std::vector<std::string> ScriptedBus::calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

void ScriptedBus::clearCalls() {
    std::lock_guard lock(mutex_);
    calls_.clear();
}

void ScriptedBus::log(std::string call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
}

std::vector<BusDevice> ScriptedBus::devices() const {
    std::lock_guard lock(mutex_);
    return devices_;
}

std::unique_ptr<DeviceInfoList> ScriptedBus::getClassDevs() {
    log("classdevs");
    std::optional<std::uint32_t> error;
    {
        std::lock_guard lock(mutex_);
        error = classDevsError_;
    }
    if (error) {
        setLastError(*error);
        return nullptr;
    }
    return std::make_unique<ScriptedList>(*this);
}

std::uint32_t ScriptedBus::lastError() const {
    std::lock_guard lock(mutex_);
    return lastError_;
}

void ScriptedBus::setLastError(std::uint32_t code) {
    std::lock_guard lock(mutex_);
    lastError_ = code;
}

void ScriptedBus::withoutText(std::uint32_t code) {
    std::lock_guard lock(mutex_);
    textless_ = code;
}

std::optional<std::string> ScriptedBus::errorText(std::uint32_t code) {
    std::lock_guard lock(mutex_);
    if (textless_ == code) {
        return std::nullopt;
    }
    return "host text " + std::to_string(code);
}

std::unique_ptr<DeviceTransport> ScriptedBus::open(const std::u16string& path) {
    Opener opener;
    {
        std::lock_guard lock(mutex_);
        opener = opener_;
    }
    log("open");
    return opener ? opener(path) : nullptr;
}

} // namespace vantrel::test
