#include "ctl/CtlReceiver.h"

#include "ctl/CtlFailure.h"
#include "device/DeviceBusChoice.h"
#include "pcsetup/PcPageText.h"

#include <atomic>

namespace vantrel::ctl {

CtlReceiver::CtlReceiver(CtlMessages& messages)
    : messages_(messages), bus_(makeDeviceBus(deviceBusChoiceFromEnvironment())), link_(messages),
      discovery_(*bus_, messages) {
}

bool CtlReceiver::open() {
    std::atomic<std::int32_t> samplingEnabled{0};
    discovery_.openDevice(link_, samplingEnabled);
    return link_.isOpen();
}

void CtlReceiver::openOrFail() {
    if (!open()) {
        throw failure("no receiver: " + oneLine(deviceNotFoundMessage));
    }
}

std::string CtlReceiver::path() const {
    std::string text;
    for (const char16_t c : discovery_.devicePath()) {
        // Interface paths are ASCII; anything else shows as a question mark.
        text += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return text;
}

void CtlReceiver::check(std::uint32_t result, std::string_view what) {
    const std::vector<std::string> shown = messages_.take();
    if (result == LINK_OK) {
        return;
    }
    std::string message(what);
    for (const std::string& text : shown) {
        message += ": " + oneLine(text);
    }
    throw failure(message);
}

} // namespace vantrel::ctl
