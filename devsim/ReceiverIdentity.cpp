#include "devsim/ReceiverIdentity.h"

#include <algorithm>
#include <cctype>

namespace vantrel::devsim {

namespace {

std::string lowered(std::string_view text) {
    std::string low(text);
    std::transform(low.begin(), low.end(), low.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return low;
}

std::string devicePart(const std::optional<std::vector<std::string>>& hardwareIds) {
    if (!hardwareIds || hardwareIds->empty()) {
        return "usb#unknown";
    }
    std::string id = lowered(hardwareIds->front());
    if (const auto revision = id.find("&rev_"); revision != std::string::npos) {
        id.resize(revision);
    }
    std::replace(id.begin(), id.end(), '\\', '#');
    return id;
}

} // namespace

std::vector<std::string> receiverHardwareIds() {
    return {"USB\\VID_7B4D&PID_0018&REV_0104", "USB\\VID_7B4D&PID_0018"};
}

std::string interfacePathFor(const std::optional<std::vector<std::string>>& hardwareIds,
                             std::string_view instance) {
    return "\\\\?\\" + devicePart(hardwareIds) + "#" + std::string(instance) + "#" +
           std::string(USB_DEVICE_CLASS_GUID);
}

} // namespace vantrel::devsim
