#pragma once

#include "device/SettingsImage.h"

#include <cstdint>
#include <functional>
#include <string_view>

namespace vantrel {

enum class SetupPage { Pc, X360 };

// What the device monitor reaches of the two setup pages.
//
// The monitor calls onUserInterface(), loadX360Page() and pcPageVisible() from its own thread.
// Everything else is called only from inside work that onUserInterface() runs, that is on the
// user-interface thread.
class MonitorPages {
public:
    virtual ~MonitorPages() = default;

    // Runs the work on the user-interface thread and returns once it has run. Once the pages are
    // gone it returns false at once and runs nothing, so a late monitor never reaches them.
    virtual bool onUserInterface(const std::function<void()>& work) = 0;

    // The XBox 360 page's load: the device reads run on the calling thread, and what they gave
    // is handed to the page on the user-interface thread, which places the icons, repaints and
    // shows its own message on failure. 0 when everything was read.
    virtual std::uint32_t loadX360Page() = 0;

    // Whether the PC Setup page is in view; from either thread, so that a reading equal to the
    // shown one is dropped without waking the user-interface thread.
    virtual bool pcPageVisible() = 0;

    // Replaces the PC key map with the device's block, takes the baseline and marks every label
    // for rewriting.
    virtual void takeDeviceKeyMap(const KeyMapBytes& block) = 0;

    // Rewrites the PC page's labels and repaints the whole page, background included.
    virtual void refreshPcPage() = 0;

    virtual std::int32_t qualityValue(SetupPage page) = 0;

    // Stores a new reading and its text, repaints that page's quality area and updates it now.
    virtual void setQuality(SetupPage page, std::int32_t value, std::string_view text) = 0;
};

} // namespace vantrel
