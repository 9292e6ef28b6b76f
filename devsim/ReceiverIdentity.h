#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How the simulated receiver shows itself on a bus.
namespace vantrel::devsim {

constexpr std::string_view USB_DEVICE_CLASS_GUID = "{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

// The receiver's hardware-ID list, the narrowest first.
std::vector<std::string> receiverHardwareIds();

// An interface path of the usual form, `\\?\usb#vid_7b4d&pid_0018#<instance>#{class GUID}`: the
// device part comes from the first hardware ID without its revision, in lower case. A device
// without IDs gets `usb#unknown`.
std::string interfacePathFor(const std::optional<std::vector<std::string>>& hardwareIds,
                             std::string_view instance);

} // namespace vantrel::devsim
