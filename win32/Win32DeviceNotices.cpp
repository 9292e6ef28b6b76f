#include "win32/Win32DeviceNotices.h"

#include "device/windows/DeviceChangeParser.h"
#include "device/windows/DeviceInterfaceFilter.h"

namespace vantrel {

Win32DeviceNotices::~Win32DeviceNotices() {
    if (registration_) {
        UnregisterDeviceNotification(registration_);
    }
}

std::optional<std::uint32_t> Win32DeviceNotices::registerFor(Deliver deliver) {
    DeviceInterfaceFilter filter = usbDeviceInterfaceFilter();
    registration_ =
        RegisterDeviceNotificationW(window_, filter.bytes.data(), DEVICE_NOTIFY_WINDOW_HANDLE);
    if (!registration_) {
        return static_cast<std::uint32_t>(GetLastError());
    }
    deliver_ = std::move(deliver);
    return std::nullopt;
}

void Win32DeviceNotices::onDeviceChange(WPARAM wParam, LPARAM lParam) {
    if (!deliver_) {
        return;
    }
    if (const auto notice = parseDeviceChangeMessage(wParam, lParam)) {
        deliver_(*notice);
    }
}

} // namespace vantrel
