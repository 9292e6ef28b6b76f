#pragma once

#include "app/QtFileDialogs.h"
#include "app/QtKeyboardHook.h"
#include "app/QtMessages.h"
#include "app/QtSkinResources.h"
#include "app/SimDeviceNotices.h"
#include "app/SingleInstance.h"
#include "app/UiBridge.h"
#include "device/DeviceBus.h"
#include "device/DeviceBusChoice.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLink.h"
#include "device/MonitorState.h"
#include "skin/PictureScale.h"
#include "window/LoopbackDeviceNotices.h"

#include <QGuiApplication>

#include <memory>

namespace vantrel {

class CMainDlg;
class DeviceMonitor;
class QtMainWindow;
class WindowMonitorPages;

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

    QtMainWindow& window() { return *window_; }

private:
    UiBridge bridge_;
    QtMessages messages_{bridge_};
    MonitorState monitorState_;
    const DeviceBusChoice deviceChoice_ = deviceBusChoiceFromEnvironment();
    std::unique_ptr<DeviceBus> bus_ = makeDeviceBus(deviceChoice_);
    DeviceLink link_{messages_};
    DeviceDiscovery discovery_{*bus_, messages_};
    QtFileDialogs fileDialogs_{nullptr};
    SimDeviceNotices folderNotices_;
    std::unique_ptr<DeviceNotices> loopbackNotices_ = loopbackNoticesFor(deviceChoice_, bridge_);
    DeviceNotices& notices_ = loopbackNotices_ ? *loopbackNotices_ : folderNotices_;
    // The pictures and canvases for the densest screen, so that the window is sharp wherever
    // it is shown.
    const int pictureScale_ = pictureScaleFor(qApp->devicePixelRatio());
    QtSkinResources resources_{pictureScale_};
    QtKeyboardHook keyboard_;
    std::unique_ptr<DeviceMonitor> monitor_;
    std::unique_ptr<CMainDlg> rules_;
    std::unique_ptr<QtMainWindow> window_;
    std::unique_ptr<WindowMonitorPages> pages_;
    SingleInstance mark_;
};

} // namespace vantrel
