#pragma once

#include "device/DeviceBus.h"
#include "device/DeviceBusChoice.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLink.h"
#include "device/MonitorState.h"
#include "win32/Win32DeviceNotices.h"
#include "win32/Win32FileDialogs.h"
#include "win32/Win32KeyboardHook.h"
#include "win32/Win32Messages.h"
#include "win32/Win32SkinResources.h"
#include "win32/Win32UiCrossing.h"
#include "window/LoopbackDeviceNotices.h"

#include <memory>

namespace vantrel {

class CMainDlg;
class DeviceMonitor;
class Win32MainWindow;
class WindowMonitorPages;

// Everything the running program is made of, wired in order and taken down in order: the
// monitor's crossing closes first, then the rules go (the PC Setup page stops the monitor and
// removes its keyboard hook), then the window, then the monitor thread is waited for.
class Win32Program {
public:
    Win32Program();
    ~Win32Program();
    Win32Program(const Win32Program&) = delete;
    Win32Program& operator=(const Win32Program&) = delete;

    // Runs the main window until the run ends.
    void run();

private:
    Win32UiCrossing crossing_;
    Win32Messages messages_;
    MonitorState monitorState_;
    const DeviceBusChoice deviceChoice_ = deviceBusChoiceFromEnvironment();
    std::unique_ptr<DeviceBus> bus_ = makeDeviceBus(deviceChoice_);
    DeviceLink link_{messages_};
    DeviceDiscovery discovery_{*bus_, messages_};
    Win32FileDialogs fileDialogs_;
    Win32DeviceNotices systemNotices_;
    std::unique_ptr<DeviceNotices> loopbackNotices_ = loopbackNoticesFor(deviceChoice_, crossing_);
    DeviceNotices& notices_ = loopbackNotices_ ? *loopbackNotices_ : systemNotices_;
    Win32SkinResources resources_;
    Win32KeyboardHook keyboard_;
    std::unique_ptr<DeviceMonitor> monitor_;
    std::unique_ptr<CMainDlg> rules_;
    std::unique_ptr<Win32MainWindow> window_;
    std::unique_ptr<WindowMonitorPages> pages_;
};

} // namespace vantrel
