#pragma once

#include "device/DeviceLink.h"
#include "device/MonitorPages.h"
#include "pcsetup/KeyMap.h"
#include "x360setup/X360Settings.h"

#include <mutex>

namespace vantrel::test {

// The pages' models without their windows: the monitor's work runs under a lock standing in for
// the user-interface thread, and the XBox 360 load reads the device for real.
class ModelPages : public MonitorPages {
public:
    explicit ModelPages(DeviceLink& link) : link_(link) {}

    bool onUserInterface(const std::function<void()>& work) override {
        std::lock_guard lock(mutex_);
        work();
        return true;
    }
    std::uint32_t loadX360Page() override {
        const X360DeviceItems items = readX360Items(link_);
        std::lock_guard lock(mutex_);
        settings_.takeDeviceItems(items);
        return items.complete() ? 0 : 1;
    }
    bool pcPageVisible() override { return true; }
    void takeDeviceKeyMap(const KeyMapBytes& block) override { keyMap_.replaceFromDevice(block); }
    void refreshPcPage() override { keyMap_.clearRefreshAllLabels(); }
    std::int32_t qualityValue(SetupPage) override { return quality_; }
    void setQuality(SetupPage, std::int32_t value, std::string_view) override { quality_ = value; }

    KeyMapBytes currentKeyMap() {
        std::lock_guard lock(mutex_);
        return keyMap_.currentKeyMap();
    }
    std::int32_t quality() {
        std::lock_guard lock(mutex_);
        return quality_;
    }

private:
    DeviceLink& link_;
    std::mutex mutex_;
    KeyMap keyMap_;
    X360Settings settings_;
    std::int32_t quality_ = 0;
};

} // namespace vantrel::test
