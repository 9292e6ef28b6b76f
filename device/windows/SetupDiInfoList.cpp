#include "device/windows/SetupDiInfoList.h"

#include "device/windows/DeviceBroadcast.h"

namespace vantrel {

namespace {

template <typename Bytes>
auto* bufferOrNull(Bytes bytes) {
    return bytes.empty() ? nullptr : bytes.data();
}

} // namespace

const GUID& usbDeviceInterfaceClass() {
    static const GUID guid{
        GUID_DEVINTERFACE_USB_DEVICE.data1,
        GUID_DEVINTERFACE_USB_DEVICE.data2,
        GUID_DEVINTERFACE_USB_DEVICE.data3,
        {GUID_DEVINTERFACE_USB_DEVICE.data4[0], GUID_DEVINTERFACE_USB_DEVICE.data4[1],
         GUID_DEVINTERFACE_USB_DEVICE.data4[2], GUID_DEVINTERFACE_USB_DEVICE.data4[3],
         GUID_DEVINTERFACE_USB_DEVICE.data4[4], GUID_DEVINTERFACE_USB_DEVICE.data4[5],
         GUID_DEVINTERFACE_USB_DEVICE.data4[6], GUID_DEVINTERFACE_USB_DEVICE.data4[7]}};
    return guid;
}

SetupDiInfoList::~SetupDiInfoList() {
    SetupDiDestroyDeviceInfoList(set_);
}

bool SetupDiInfoList::enumDeviceInfo(std::uint32_t index) {
    deviceIndex_.reset();
    interfaceIndex_.reset();
    device_ = {};
    device_.cbSize = sizeof device_;
    if (!SetupDiEnumDeviceInfo(set_, index, &device_)) {
        return false;
    }
    deviceIndex_ = index;
    return true;
}

bool SetupDiInfoList::selectDevice(std::uint32_t index) {
    return deviceIndex_ == index || enumDeviceInfo(index);
}

bool SetupDiInfoList::getHardwareIdProperty(std::uint32_t index, std::span<std::byte> buffer,
                                            std::uint32_t& requiredSize) {
    if (!selectDevice(index)) {
        return false;
    }
    DWORD required = 0;
    const BOOL read = SetupDiGetDeviceRegistryPropertyW(
        set_, &device_, SPDRP_HARDWAREID, nullptr, reinterpret_cast<PBYTE>(bufferOrNull(buffer)),
        static_cast<DWORD>(buffer.size()), &required);
    requiredSize = required;
    return read != FALSE;
}

bool SetupDiInfoList::enumDeviceInterface(std::uint32_t index) {
    interfaceIndex_.reset();
    if (!selectDevice(index)) {
        return false;
    }
    interface_ = {};
    interface_.cbSize = sizeof interface_;
    if (!SetupDiEnumDeviceInterfaces(set_, &device_, &usbDeviceInterfaceClass(), 0, &interface_)) {
        return false;
    }
    interfaceIndex_ = index;
    return true;
}

bool SetupDiInfoList::selectInterface(std::uint32_t index) {
    return interfaceIndex_ == index || enumDeviceInterface(index);
}

bool SetupDiInfoList::getDeviceInterfaceDetail(std::uint32_t index, std::span<std::byte> detail,
                                               std::uint32_t& requiredSize) {
    if (!selectInterface(index)) {
        return false;
    }
    // The caller has set the record's size field; the host checks it against its own.
    DWORD required = 0;
    const BOOL read = SetupDiGetDeviceInterfaceDetailW(
        set_, &interface_,
        reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_W>(bufferOrNull(detail)),
        static_cast<DWORD>(detail.size()), &required, nullptr);
    requiredSize = required;
    return read != FALSE;
}

} // namespace vantrel
