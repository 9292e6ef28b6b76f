#include "device/sim/PublishedDevices.h"

#include <algorithm>
#include <fstream>

namespace vantrel {

bool isDescriptorFileName(const std::string& fileName) {
    // Names starting with a dot are files still being written.
    return fileName.size() > DESCRIPTOR_SUFFIX.size() && !fileName.starts_with('.') &&
           fileName.ends_with(DESCRIPTOR_SUFFIX);
}

std::optional<SimDeviceDescriptor> readDescriptorFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    // One byte more than a descriptor may have tells an oversized file from a full one.
    std::string text(MAX_DESCRIPTOR_SIZE + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return decodeDescriptor(text);
}

std::vector<PublishedDevice> readPublishedDevices(const std::filesystem::path& folder) {
    std::vector<PublishedDevice> devices;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!isDescriptorFileName(name)) {
            continue;
        }
        if (auto descriptor = readDescriptorFile(entry.path())) {
            devices.push_back({name, std::move(*descriptor)});
        }
    }
    std::sort(devices.begin(), devices.end(),
              [](const auto& a, const auto& b) { return a.fileName < b.fileName; });
    return devices;
}

} // namespace vantrel
