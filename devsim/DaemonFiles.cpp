#include "devsim/DaemonFiles.h"

#include "device/sim/SimDeviceDescriptor.h"

#include <algorithm>
#include <cctype>

namespace vantrel::devsim {

bool isValidReceiverName(std::string_view name) {
    return !name.empty() && name.size() <= 32 &&
           std::all_of(name.begin(), name.end(), [](unsigned char c) {
               return std::isalnum(c) != 0 || c == '-' || c == '_';
           });
}

std::filesystem::path controlSocketPath(const std::filesystem::path& folder,
                                        std::string_view name) {
    return folder / (std::string(name) + ".control");
}

std::string dataSocketName(std::string_view name) {
    return std::string(name) + ".data";
}

std::string descriptorName(std::string_view name) {
    return std::string(name) + std::string(DESCRIPTOR_SUFFIX);
}

std::string tcpPortFileName(std::string_view name) {
    return std::string(name) + ".tcp";
}

} // namespace vantrel::devsim
