#include "device/sim/SnapshotInfoList.h"

#include "device/sim/BusErrors.h"

#include <algorithm>

namespace vantrel {

namespace {

bool fail(std::uint32_t code) {
    setBusLastError(code);
    return false;
}

bool succeed() {
    setBusLastError(ERROR_SUCCESS);
    return true;
}

void putUnit(std::span<std::byte> out, std::size_t offset, char16_t unit) {
    out[offset] = static_cast<std::byte>(unit & 0xFF);
    out[offset + 1] = static_cast<std::byte>(unit >> 8);
}

std::size_t putText(std::span<std::byte> out, std::size_t offset, std::u16string_view text) {
    for (const char16_t unit : text) {
        putUnit(out, offset, unit);
        offset += sizeof(char16_t);
    }
    putUnit(out, offset, u'\0');
    return offset + sizeof(char16_t);
}

std::uint32_t readLe32(std::span<const std::byte> bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    }
    return value;
}

} // namespace

SnapshotInfoList::SnapshotInfoList(std::vector<BusDevice> devices, FaultHook faultHook)
    : devices_(std::move(devices)), faultHook_(std::move(faultHook)) {
}

bool SnapshotInfoList::admit(BusCall call, std::uint32_t index, std::uint32_t missingCode) {
    if (faultHook_) {
        if (const auto code = faultHook_(call)) {
            return fail(*code);
        }
    }
    if (index >= devices_.size()) {
        return fail(missingCode);
    }
    return true;
}

bool SnapshotInfoList::enumDeviceInfo(std::uint32_t index) {
    return admit(BusCall::EnumDeviceInfo, index, ERROR_NO_MORE_ITEMS) && succeed();
}

bool SnapshotInfoList::getHardwareIdProperty(std::uint32_t index, std::span<std::byte> buffer,
                                             std::uint32_t& requiredSize) {
    if (!admit(BusCall::GetHardwareIdProperty, index, ERROR_INVALID_PARAMETER)) {
        return false;
    }
    const auto& ids = devices_[index].hardwareIds;
    if (!ids) {
        return fail(ERROR_INVALID_DATA);
    }
    std::size_t units = 1; // the empty entry that ends the list
    for (const auto& id : *ids) {
        units += id.size() + 1;
    }
    requiredSize = static_cast<std::uint32_t>(units * sizeof(char16_t));
    if (buffer.size() < requiredSize) {
        return fail(ERROR_INSUFFICIENT_BUFFER);
    }
    std::size_t offset = 0;
    for (const auto& id : *ids) {
        offset = putText(buffer, offset, id);
    }
    putText(buffer, offset, u"");
    return succeed();
}

bool SnapshotInfoList::enumDeviceInterface(std::uint32_t index) {
    return admit(BusCall::EnumDeviceInterface, index, ERROR_NO_MORE_ITEMS) && succeed();
}

bool SnapshotInfoList::getDeviceInterfaceDetail(std::uint32_t index, std::span<std::byte> detail,
                                                std::uint32_t& requiredSize) {
    if (!admit(BusCall::GetDeviceInterfaceDetail, index, ERROR_NO_MORE_ITEMS)) {
        return false;
    }
    // A record whose size field is not the fixed size is refused before its length is looked at.
    if (!detail.empty() &&
        (detail.size() < DETAIL_SIZE_FIELD_SIZE || readLe32(detail) != DETAIL_FIXED_SIZE)) {
        return fail(ERROR_INVALID_USER_BUFFER);
    }
    const std::u16string& path = devices_[index].interfacePath;
    requiredSize =
        static_cast<std::uint32_t>(DETAIL_PATH_OFFSET + (path.size() + 1) * sizeof(char16_t));
    if (detail.size() < requiredSize) {
        return fail(ERROR_INSUFFICIENT_BUFFER);
    }
    putText(detail, DETAIL_PATH_OFFSET, path);
    return succeed();
}

} // namespace vantrel
