#include "app/CVantrelConfigApp.h"

#include "app/CMainDlg.h"
#include "app/QtFileDialogs.h"
#include "app/QtMessages.h"
#include "app/QtMonitorPages.h"
#include "app/SimDeviceNotices.h"
#include "app/SingleInstance.h"
#include "app/UiBridge.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLink.h"
#include "device/DeviceMonitor.h"
#include "device/MonitorState.h"
#include "device/sim/SimDeviceBus.h"

#include <QGuiApplication>
#include <QScreen>

#include <memory>

namespace vantrel {

namespace {

void centreOnScreen(QWidget& window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window.move(screen->availableGeometry().center() - window.rect().center());
    }
}

} // namespace

int CVantrelConfigApp::InitInstance() {
    if (SingleInstance::bringRunningCopyToFront()) {
        return 0;
    }
    UiBridge bridge;
    QtMessages messages(bridge);
    MonitorState monitorState;
    SimDeviceBus bus;
    DeviceLink link(messages);
    DeviceDiscovery discovery(bus, messages);
    QtFileDialogs fileDialogs(nullptr);
    SimDeviceNotices notices;
    std::unique_ptr<DeviceMonitor> monitor;

    auto window = std::make_unique<CMainDlg>(messages, link, monitorState, fileDialogs, notices,
                                             [&] { monitor->start(); });
    fileDialogs.setParent(window.get());
    QtMonitorPages pages(bridge, *window, link);
    monitor = std::make_unique<DeviceMonitor>(monitorState, link, discovery, pages, messages);

    window->initialise();
    SingleInstance mark;
    mark.announce(window.get());
    centreOnScreen(*window);
    window->exec();

    // Nothing more crosses from the monitor; then the PC Setup page's end stops it.
    bridge.close();
    window.reset();
    monitor.reset();
    return 0;
}

} // namespace vantrel
