#pragma once

#include "app/QtMainWindow.h"
#include "app/QtSkinResources.h"
#include "app/UiBridge.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLink.h"
#include "device/DeviceMonitor.h"
#include "device/MonitorState.h"
#include "devsim/InProcessBus.h"
#include "devsim/Receiver.h"
#include "pcsetup/CVantrelConfigDlg.h"
#include "pcsetup/KeyboardFilter.h"
#include "pcsetup/KeyboardHook.h"
#include "tests/pcsetup/ScriptedFileDialogs.h"
#include "tests/soak/RecordingBus.h"
#include "tests/soak/RequestLog.h"
#include "tests/soak/SoakMessages.h"
#include "tests/support/TempRuntimeFolder.h"
#include "window/WindowMonitorPages.h"
#include "x360setup/CKeydefDlg.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <optional>

namespace vantrel::soak {

// Device notices as the host delivers them to the main window, on the user-interface thread.
class SoakNotices : public DeviceNotices {
public:
    std::optional<std::uint32_t> registerFor(Deliver deliver) override;
    void deliver(const DeviceNotice& notice);

private:
    Deliver deliver_;
};

// The Qt keyboard filter on the PC Setup page's window, with the mark always free.
class SoakKeyboard : public KeyboardHook {
public:
    bool claim() override { return true; }
    void install(KeyCapture& capture) override;
    void remove() override { filter_.reset(); }

    const QWidget* scope = nullptr;

private:
    std::unique_ptr<KeyboardFilter> filter_;
};

// The whole program as the application object wires it, over the simulated receiver on the
// in-process bus: the bridge, the link, discovery, the main window with both pages, the real
// monitor thread that the window starts. Made, used and destroyed on the user-interface thread.
class SoakProgram {
public:
    SoakProgram();
    ~SoakProgram();
    SoakProgram(const SoakProgram&) = delete;
    SoakProgram& operator=(const SoakProgram&) = delete;

    // Initialises the main window, which starts the monitor, and shows it.
    void start();

    // The user plugs the receiver in, or pulls it out; the host's notice follows at once.
    void plug();
    void unplug();
    // Receivers that went away in the middle of a request; the host's notice is on its way.
    int vanished() const { return vanished_; }

    QtMainWindow& window() { return *window_; }
    CVantrelConfigDlg& pcPage() { return rules_->pcPage(); }
    CKeydefDlg& x360Page() { return rules_->x360Page(); }
    QtPageWidget& pcWidget() { return window_->pcWidget(); }
    QtPageWidget& x360Widget() { return window_->x360Widget(); }
    QtPageWidget& widgetOf(const SkinPage& page) {
        return &page == &pcPage() ? pcWidget() : x360Widget();
    }
    MonitorState& state() { return state_; }
    DeviceLink& link() { return link_; }
    RecordingBus& bus() { return bus_; }
    RequestLog& log() { return log_; }
    SoakMessages& messages() { return messages_; }
    test::ScriptedFileDialogs& fileDialogs() { return fileDialogs_; }
    devsim::Receiver& receiver() { return *receiver_; }

private:
    void onPlugChange();

    test::TempRuntimeFolder runtime_;
    SoakMessages messages_;
    test::ScriptedFileDialogs fileDialogs_;
    SoakNotices notices_;
    std::shared_ptr<devsim::Receiver> receiver_ = std::make_shared<devsim::Receiver>();
    const devsim::InProcessDevice device_ = devsim::receiverDevice(receiver_, "soak");
    devsim::InProcessBus inProcessBus_;
    MonitorState state_;
    RequestLog log_{receiver_->memory(), state_.samplingEnabled};
    RecordingBus bus_{inProcessBus_, log_};
    QObject noticeContext_;
    std::optional<devsim::InProcessBus::DeviceId> busEntry_;
    std::atomic<bool> userPlugging_{false};
    std::atomic<int> vanished_{0};

    UiBridge bridge_;
    DeviceLink link_{messages_};
    DeviceDiscovery discovery_{bus_, messages_};
    QtSkinResources resources_;
    SoakKeyboard keyboard_;
    std::unique_ptr<DeviceMonitor> monitor_;
    std::unique_ptr<CMainDlg> rules_;
    std::unique_ptr<QtMainWindow> window_;
    std::unique_ptr<WindowMonitorPages> pages_;
};

} // namespace vantrel::soak
