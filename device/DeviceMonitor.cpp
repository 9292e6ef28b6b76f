#include "device/DeviceMonitor.h"

#include "device/DeviceDiscovery.h"
#include "device/DeviceLink.h"
#include "device/MonitorPages.h"
#include "device/MonitorState.h"
#include "device/Quality.h"

namespace vantrel {

bool waitForEvent(AutoResetEvent& event, std::chrono::milliseconds timeout) {
    return event.wait(timeout);
}

DeviceMonitor::DeviceMonitor(MonitorState& state, DeviceLink& link, DeviceDiscovery& discovery,
                             MonitorPages& pages, Messages& messages, EventWait wait)
    : state_(state), link_(link), discovery_(discovery), pages_(pages), messages_(messages),
      wait_(std::move(wait)) {
}

DeviceMonitor::~DeviceMonitor() {
    if (thread_.joinable()) {
        state_.stopRequested = 1;
        state_.wakeEvent.set();
        // Past stopMonitor's wait the stop no longer needs to wait for the end of the wait for a
        // device, nor for a receiver that has stopped answering.
        state_.reconnectEvent.set();
        link_.cancel();
        thread_.join();
    }
}

void DeviceMonitor::start() {
    thread_ = std::thread([this] { deviceMonitor(); });
}

void DeviceMonitor::deviceMonitor() {
    discovery_.openDevice(link_, state_.samplingEnabled);
    while (state_.stopRequested == 0) {
        if (!link_.isOpen()) {
            if (!wait_(state_.reconnectEvent, RECONNECT_WAIT) || state_.stopRequested != 0) {
                continue;
            }
            discovery_.openDevice(link_, state_.samplingEnabled);
            if (!link_.isOpen()) {
                showOk(messages_, replugMessage);
                continue;
            }
        }
        if (!connect()) {
            link_.close();
            continue;
        }
        if (sample() == ConnectionEnd::Stopped) {
            break;
        }
        state_.deviceConnected = 0;
    }
    state_.finishedEvent.set();
}

bool DeviceMonitor::connect() {
    link_.queryMode(reportMode_); // a failed query keeps the mode of the last one
    KeyMapBytes keyMap{};
    if (link_.RdEELong(keyMap) != LINK_OK || pages_.loadX360Page() != 0) {
        return false;
    }
    // One piece of user-interface work, so that no click sees the device connected with the
    // key map of before.
    pages_.onUserInterface([&] {
        state_.deviceConnected = 1;
        pages_.takeDeviceKeyMap(keyMap);
        if (pages_.pcPageVisible()) {
            pages_.refreshPcPage();
        }
    });
    return true;
}

DeviceMonitor::ConnectionEnd DeviceMonitor::sample() {
    for (;;) {
        if (wait_(state_.wakeEvent, SAMPLE_WAIT)) {
            // Removed, or stopping: the device stays open, and the next pass starts anew.
            return state_.stopRequested != 0 ? ConnectionEnd::Stopped : ConnectionEnd::Lost;
        }
        if (state_.stopRequested != 0) {
            link_.close();
            return ConnectionEnd::Stopped;
        }
        if (state_.samplingEnabled == 1 && reportMode_ == 1) {
            if (!link_.readReport(report_)) {
                link_.close();
                return state_.stopRequested != 0 ? ConnectionEnd::Stopped : ConnectionEnd::Lost;
            }
            showQuality(qualityFromReport(report_[REPORT_QUALITY_OFFSET]));
        }
    }
}

void DeviceMonitor::showQuality(std::int32_t quality) {
    const SetupPage target = pages_.pcPageVisible() ? SetupPage::Pc : SetupPage::X360;
    std::optional<std::int32_t>& shown = shownQuality_[static_cast<std::size_t>(target)];
    if (shown == quality) {
        return;
    }
    const bool crossed = pages_.onUserInterface([&] {
        if (pages_.qualityValue(target) != quality) {
            pages_.setQuality(target, quality, qualityText(quality));
        }
    });
    if (crossed) {
        shown = quality;
    }
}

} // namespace vantrel
