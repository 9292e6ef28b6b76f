#pragma once

#include "device/MonitorPages.h"

#include <atomic>

namespace vantrel {

class CMainDlg;
class DeviceLink;
class UiCrossing;

// The monitor's way to the two pages: every call crosses to the user-interface thread, except
// the XBox 360 load's device reads, which stay on the monitor thread, and the PC Setup page's
// visibility, which the host mirrors as it changes.
class WindowMonitorPages : public MonitorPages {
public:
    // Called on the user-interface thread.
    WindowMonitorPages(UiCrossing& crossing, CMainDlg& window, DeviceLink& link);

    // Called by the host on the user-interface thread whenever the PC Setup page comes into view
    // or leaves it, its window's hiding included.
    void setPcPageInView(bool inView) { pcInView_ = inView; }

    bool onUserInterface(const std::function<void()>& work) override;
    std::uint32_t loadX360Page() override;
    bool pcPageVisible() override;
    void takeDeviceKeyMap(const KeyMapBytes& block) override;
    void refreshPcPage() override;
    std::int32_t qualityValue(SetupPage page) override;
    void setQuality(SetupPage page, std::int32_t value, std::string_view text) override;

private:
    UiCrossing& crossing_;
    CMainDlg& window_;
    DeviceLink& link_;
    std::atomic<bool> pcInView_{false};
};

} // namespace vantrel
