#pragma once

#include "app/QtFileDialogs.h"
#include "app/QtMessages.h"
#include "app/SimDeviceNotices.h"
#include "app/SingleInstance.h"
#include "app/UiBridge.h"
#include "device/DeviceBus.h"
#include "device/DeviceBusChoice.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLink.h"
#include "device/MonitorState.h"

#include <memory>

namespace vantrel {

class CMainDlg;
class DeviceMonitor;
class QtMonitorPages;

// Everything the running program is made of, wired in order and taken down in order: the
// monitor's crossing closes first, then the window goes (its PC Setup page stops the monitor),
// then the monitor thread is waited for.
class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Sets the main window up, starts the monitor and announces this copy to later ones.
    void start();

    CMainDlg& window() { return *window_; }

private:
    UiBridge bridge_;
    QtMessages messages_{bridge_};
    MonitorState monitorState_;
    std::unique_ptr<DeviceBus> bus_ = chooseDeviceBus();
    DeviceLink link_{messages_};
    DeviceDiscovery discovery_{*bus_, messages_};
    QtFileDialogs fileDialogs_{nullptr};
    SimDeviceNotices notices_;
    std::unique_ptr<DeviceMonitor> monitor_;
    std::unique_ptr<CMainDlg> window_;
    std::unique_ptr<QtMonitorPages> pages_;
    SingleInstance mark_;
};

} // namespace vantrel
