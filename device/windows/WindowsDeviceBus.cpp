#include "device/windows/WindowsDeviceBus.h"

#include "device/windows/HandleTransport.h"
#include "device/windows/SetupDiInfoList.h"

#include <windows.h>

#include <setupapi.h>

namespace vantrel {

namespace {

std::string utf8Of(const wchar_t* text, int length) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

} // namespace

std::unique_ptr<DeviceInfoList> WindowsDeviceBus::getClassDevs() {
    const HDEVINFO set = SetupDiGetClassDevsW(&usbDeviceInterfaceClass(), nullptr, nullptr,
                                              DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return std::make_unique<SetupDiInfoList>(set);
}

std::uint32_t WindowsDeviceBus::detailFixedSize() const {
    return sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
}

std::uint32_t WindowsDeviceBus::lastError() const {
    return GetLastError();
}

void WindowsDeviceBus::setLastError(std::uint32_t code) {
    SetLastError(code);
}

std::optional<std::string> WindowsDeviceBus::errorText(std::uint32_t code) {
    // There are no arguments for a text's inserts: they are shown as they stand ("%1").
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&text),
        0, nullptr);
    if (length == 0) {
        return std::nullopt;
    }
    std::string utf8 = utf8Of(text, static_cast<int>(length));
    LocalFree(text);
    return utf8;
}

std::unique_ptr<DeviceTransport> WindowsDeviceBus::open(const std::u16string& path) {
    // Overlapped, so that a call the driver never answers can be given up: the transport still
    // waits for each call before the next, and the link sends one at a time.
    const HANDLE handle =
        CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return std::make_unique<HandleTransport>(handle);
}

} // namespace vantrel
