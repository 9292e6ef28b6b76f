#include "device/DeviceDiscovery.h"

#include "device/DeviceLink.h"
#include "device/HardwareId.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace vantrel {

namespace {

constexpr std::string_view classDevsFailed = "GetClassDevs(All Present Devices)";
constexpr std::string_view registryPropertyFailed = "GetDeviceRegistryProperty";
constexpr std::string_view enumInterfacesFailed = "SetupDiEnumDeviceInterfaces";
constexpr std::string_view interfaceDetailFailed = "SetupDiGetDeviceInterfaceDetail";
constexpr const char* detailAllocationFailed =
    "Couldn't allocate %u bytes for device interface detail buffer\n";
constexpr const char* failureFormat = "%s FAILURE: %s\n";

// Reads UTF-16LE code units from raw bytes, up to the first 0 unit or the end of the data.
std::u16string takeWideString(const std::byte* data, std::size_t size, std::size_t& offset) {
    std::u16string text;
    while (offset + 1 < size) {
        const auto unit = static_cast<char16_t>(std::to_integer<unsigned>(data[offset]) |
                                                (std::to_integer<unsigned>(data[offset + 1]) << 8));
        offset += 2;
        if (unit == 0) {
            break;
        }
        text.push_back(unit);
    }
    return text;
}

bool listHoldsPattern(const std::vector<std::byte>& list, std::size_t size,
                      std::u16string_view pattern) {
    std::size_t offset = 0;
    while (offset + 1 < size) {
        const std::u16string entry = takeWideString(list.data(), size, offset);
        if (entry.empty()) {
            return false;
        }
        if (matchesUpperCased(entry, pattern)) {
            return true;
        }
    }
    return false;
}

} // namespace

DeviceDiscovery::DeviceDiscovery(DeviceBus& bus, Messages& messages)
    : bus_(bus), messages_(messages) {
}

void DeviceDiscovery::reportFailure(std::string_view what) {
    const std::uint32_t code = bus_.lastError();
    if (const auto hostText = bus_.errorText(code)) {
        const std::string whatText(what);
        const int size =
            std::snprintf(nullptr, 0, failureFormat, whatText.c_str(), hostText->c_str());
        std::string message(static_cast<std::size_t>(size) + 1, '\0');
        std::snprintf(message.data(), message.size(), failureFormat, whatText.c_str(),
                      hostText->c_str());
        message.pop_back();
        showOk(messages_, message);
    }
    bus_.setLastError(code);
}

DeviceDiscovery::HardwareIds DeviceDiscovery::readHardwareIds(DeviceInfoList& list,
                                                              std::uint32_t index,
                                                              std::u16string_view pattern) {
    std::vector<std::byte> buffer;
    std::uint32_t requiredSize = 0;
    bool read = list.getHardwareIdProperty(index, buffer, requiredSize);
    for (int query = 1; !read; ++query) {
        const std::uint32_t code = bus_.lastError();
        if (code == ERROR_INVALID_DATA) {
            return HardwareIds::NoMatch; // the device has no such list
        }
        if (code != ERROR_INSUFFICIENT_BUFFER || query >= MAX_SIZE_QUERIES ||
            requiredSize > MAX_QUERY_BUFFER) {
            bus_.setLastError(code == ERROR_INSUFFICIENT_BUFFER ? ERROR_NOT_ENOUGH_MEMORY : code);
            reportFailure(registryPropertyFailed);
            return HardwareIds::WalkEnds;
        }
        buffer.assign(requiredSize, std::byte{0});
        read = list.getHardwareIdProperty(index, buffer, requiredSize);
    }
    if (bus_.lastError() == ERROR_INVALID_DATA) {
        return HardwareIds::NoMatch;
    }
    const std::size_t size = std::min<std::size_t>(requiredSize, buffer.size());
    return listHoldsPattern(buffer, size, pattern) ? HardwareIds::Match : HardwareIds::NoMatch;
}

void DeviceDiscovery::queryInterfacePath(DeviceInfoList& list, std::uint32_t index) {
    if (!list.enumDeviceInterface(index)) {
        reportFailure(enumInterfacesFailed);
        return;
    }
    // A host whose fixed part is larger than the first size would refuse that buffer outright
    // instead of asking for more.
    std::uint32_t detailSize = std::max(FIRST_DETAIL_SIZE, bus_.detailFixedSize());
    for (int query = 1;; ++query) {
        if (detailSize > MAX_QUERY_BUFFER || query > MAX_SIZE_QUERIES) {
            bus_.setLastError(ERROR_NOT_ENOUGH_MEMORY);
            char what[128];
            std::snprintf(what, sizeof what, detailAllocationFailed, detailSize);
            reportFailure(what);
            return;
        }
        std::vector<std::byte> detail(detailSize, std::byte{0});
        const std::uint32_t fixedSize = bus_.detailFixedSize();
        std::memcpy(detail.data(), &fixedSize, std::min<std::size_t>(4, detail.size()));
        std::uint32_t requiredSize = 0;
        if (list.getDeviceInterfaceDetail(index, detail, requiredSize)) {
            std::size_t offset = 4;
            devicePath_ = takeWideString(detail.data(), detail.size(), offset);
            return;
        }
        const std::uint32_t code = bus_.lastError();
        if (code != ERROR_INSUFFICIENT_BUFFER) {
            bus_.setLastError(code);
            reportFailure(interfaceDetailFailed);
            return;
        }
        detailSize = requiredSize;
    }
}

bool DeviceDiscovery::findDevice(std::u16string_view pattern) {
    const std::unique_ptr<DeviceInfoList> list = bus_.getClassDevs();
    if (!list) {
        reportFailure(classDevsFailed);
        return false;
    }
    for (std::uint32_t index = 0; list->enumDeviceInfo(index); ++index) {
        switch (readHardwareIds(*list, index, pattern)) {
        case HardwareIds::WalkEnds:
            return false;
        case HardwareIds::NoMatch:
            continue;
        case HardwareIds::Match:
            // Only the first matching device counts, whether or not its path can be had.
            queryInterfacePath(*list, index);
            return true;
        }
    }
    return false;
}

void DeviceDiscovery::openDevice(DeviceLink& link, std::atomic<std::int32_t>& samplingEnabled) {
    std::unique_ptr<DeviceTransport> transport;
    if (findDevice(hardwareIdPattern)) {
        transport = bus_.open(devicePath_);
    }
    const bool opened = transport != nullptr;
    link.attach(std::move(transport));
    if (opened) {
        samplingEnabled = 1;
    }
}

} // namespace vantrel
