#pragma once

#include "device/MonitorPages.h"

#include <QObject>

#include <atomic>

namespace vantrel {

class CMainDlg;
class DeviceLink;
class UiBridge;

// The monitor's way to the two pages: every call crosses to the user-interface thread through
// the bridge, except the XBox 360 load's device reads, which stay on the monitor thread, and the
// PC Setup page's visibility, which the user-interface thread mirrors as it changes.
class QtMonitorPages : public QObject, public MonitorPages {
public:
    // Called on the user-interface thread.
    QtMonitorPages(UiBridge& bridge, CMainDlg& window, DeviceLink& link);

    bool onUserInterface(const std::function<void()>& work) override;
    std::uint32_t loadX360Page() override;
    bool pcPageVisible() override;
    void takeDeviceKeyMap(const KeyMapBytes& block) override;
    void refreshPcPage() override;
    std::int32_t qualityValue(SetupPage page) override;
    void setQuality(SetupPage page, std::int32_t value, std::string_view text) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    UiBridge& bridge_;
    CMainDlg& window_;
    DeviceLink& link_;
    std::atomic<bool> pcVisible_;
};

} // namespace vantrel
