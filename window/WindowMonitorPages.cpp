#include "window/WindowMonitorPages.h"

#include "window/CMainDlg.h"
#include "window/UiCrossing.h"

namespace vantrel {

WindowMonitorPages::WindowMonitorPages(UiCrossing& crossing, CMainDlg& window, DeviceLink& link)
    : crossing_(crossing), window_(window), link_(link) {
}

bool WindowMonitorPages::onUserInterface(const std::function<void()>& work) {
    return crossing_.run(work);
}

std::uint32_t WindowMonitorPages::loadX360Page() {
    const X360DeviceItems items = readX360Items(link_);
    crossing_.run([&] { window_.x360Page().takeLoad(items); });
    return items.complete() ? 0 : 1;
}

bool WindowMonitorPages::pcPageVisible() {
    return pcInView_;
}

void WindowMonitorPages::takeDeviceKeyMap(const KeyMapBytes& block) {
    window_.pcPage().takeDeviceKeyMap(block);
}

void WindowMonitorPages::refreshPcPage() {
    window_.pcPage().refreshLabels();
    window_.pcPage().repaintPage();
}

std::int32_t WindowMonitorPages::qualityValue(SetupPage page) {
    return page == SetupPage::Pc ? window_.pcPage().quality().value()
                                 : window_.x360Page().quality().value();
}

void WindowMonitorPages::setQuality(SetupPage page, std::int32_t value, std::string_view text) {
    if (page == SetupPage::Pc) {
        window_.pcPage().setQuality(value, text);
    } else {
        window_.x360Page().setQuality(value, text);
    }
}

} // namespace vantrel
