#include "device/windows/DeviceInterfaceFilter.h"

#include <span>

namespace vantrel {

namespace {

template <typename Word>
void putLe(std::span<std::byte> out, std::size_t offset, Word value) {
    for (std::size_t i = 0; i < sizeof(Word); ++i) {
        out[offset + i] = static_cast<std::byte>((value >> (8 * i)) & 0xFF);
    }
}

} // namespace

DeviceInterfaceFilter usbDeviceInterfaceFilter() {
    DeviceInterfaceFilter filter{};
    const std::span<std::byte> out(filter.bytes);
    putLe<std::uint32_t>(out, BROADCAST_SIZE_OFFSET, DEVICE_INTERFACE_FILTER_SIZE);
    putLe<std::uint32_t>(out, BROADCAST_DEVICE_TYPE_OFFSET, DBT_DEVTYP_DEVICEINTERFACE);
    putLe<std::uint32_t>(out, BROADCAST_RESERVED_OFFSET, 0);

    const InterfaceClassGuid& guid = GUID_DEVINTERFACE_USB_DEVICE;
    putLe(out, BROADCAST_CLASS_GUID_OFFSET, guid.data1);
    putLe(out, BROADCAST_CLASS_GUID_OFFSET + 4, guid.data2);
    putLe(out, BROADCAST_CLASS_GUID_OFFSET + 6, guid.data3);
    for (std::size_t i = 0; i < guid.data4.size(); ++i) {
        out[BROADCAST_CLASS_GUID_OFFSET + 8 + i] = static_cast<std::byte>(guid.data4[i]);
    }
    return filter;
}

} // namespace vantrel
