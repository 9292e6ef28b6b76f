#include "app/QtMonitorPages.h"

#include "app/CMainDlg.h"
#include "app/UiBridge.h"
#include "pcsetup/CVantrelConfigDlg.h"
#include "x360setup/CKeydefDlg.h"

#include <QEvent>

namespace vantrel {

QtMonitorPages::QtMonitorPages(UiBridge& bridge, CMainDlg& window, DeviceLink& link)
    : bridge_(bridge), window_(window), link_(link), pcVisible_(window.pcPage().isVisible()) {
    // The page hears of every change of its visibility, its window's included.
    window.pcPage().installEventFilter(this);
}

bool QtMonitorPages::eventFilter(QObject*, QEvent* event) {
    // A page hears of being shown only once it is in view, and of being hidden whenever it
    // leaves it, its window's hiding included.
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide) {
        pcVisible_ = event->type() == QEvent::Show;
    }
    return false;
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
    return pcVisible_;
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
