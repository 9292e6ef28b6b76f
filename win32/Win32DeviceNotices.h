#pragma once

#include "window/DeviceNotices.h"

#include <windows.h>

namespace vantrel {

// The main window's registration for the arrival and removal of USB device interfaces, and the
// device-change messages that bring them.
class Win32DeviceNotices : public DeviceNotices {
public:
    Win32DeviceNotices() = default;
    ~Win32DeviceNotices() override;
    Win32DeviceNotices(const Win32DeviceNotices&) = delete;
    Win32DeviceNotices& operator=(const Win32DeviceNotices&) = delete;

    // The window that registers; set before registerFor.
    void attach(HWND window) { window_ = window; }

    std::optional<std::uint32_t> registerFor(Deliver deliver) override;

    // Called by the main window for every WM_DEVICECHANGE.
    void onDeviceChange(WPARAM wParam, LPARAM lParam);

private:
    HWND window_ = nullptr;
    HDEVNOTIFY registration_ = nullptr;
    Deliver deliver_;
};

} // namespace vantrel
