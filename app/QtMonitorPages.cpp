#include "app/QtMonitorPages.h"

#include "app/CMainDlg.h"
#include "app/UiBridge.h"
#include "pcsetup/CVantrelConfigDlg.h"
#include "x360setup/CKeydefDlg.h"

namespace vantrel {

QtMonitorPages::QtMonitorPages(UiBridge& bridge, CMainDlg& window, DeviceLink& link)
    : bridge_(bridge), window_(window), link_(link) {
}

bool QtMonitorPages::onUserInterface(const std::function<void()>& work) {
    return bridge_.run(work);
}

std::uint32_t QtMonitorPages::loadX360Page() {
    const X360DeviceItems items = readX360Items(link_);
    bridge_.run([&] { window_.x360Page().takeLoad(items); });
    return items.complete() ? 0 : 1;
}

bool QtMonitorPages::pcPageVisible() {
    return window_.pcPage().isVisible();
}

void QtMonitorPages::takeDeviceKeyMap(const KeyMapBytes& block) {
    window_.pcPage().keyMap().replaceFromDevice(block);
}

void QtMonitorPages::refreshPcPage() {
    window_.pcPage().refreshLabels();
    window_.pcPage().update();
}

std::int32_t QtMonitorPages::qualityValue(SetupPage page) {
    return page == SetupPage::Pc ? window_.pcPage().qualityValue()
                                 : window_.x360Page().qualityValue();
}

void QtMonitorPages::setQuality(SetupPage page, std::int32_t value, std::string_view text) {
    const QString qualityText = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (page == SetupPage::Pc) {
        window_.pcPage().setQuality(value, qualityText);
    } else {
        window_.x360Page().setQuality(value, qualityText);
    }
}

} // namespace vantrel
