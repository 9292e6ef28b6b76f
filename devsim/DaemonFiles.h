#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// What one serving receiver keeps in the runtime folder, all named after it: `<name>.control`
// (the control socket), `<name>.data` (the data socket), `<name>.device` (its descriptor,
// present while it is plugged in) and, when it also serves over TCP, `<name>.tcp` (the port, in
// decimal on one line).
namespace vantrel::devsim {

constexpr std::string_view DEFAULT_RECEIVER_NAME = "vantrel";

// Letters, digits, '-' and '_', at most 32 of them: the name also stands in the interface path.
bool isValidReceiverName(std::string_view name);

std::filesystem::path controlSocketPath(const std::filesystem::path& folder, std::string_view name);
std::string dataSocketName(std::string_view name);
std::string descriptorName(std::string_view name);
std::string tcpPortFileName(std::string_view name);

} // namespace vantrel::devsim
