#pragma once

#include "device/sim/SimDeviceDescriptor.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

struct PublishedDevice {
    std::string fileName; // `<name>.device`
    SimDeviceDescriptor descriptor;
};

bool isDescriptorFileName(const std::string& fileName);

// One descriptor file; nothing when it is missing, too large or not well-formed.
std::optional<SimDeviceDescriptor> readDescriptorFile(const std::filesystem::path& file);

// The devices published in the folder, in file-name order; unreadable descriptors are left out.
std::vector<PublishedDevice> readPublishedDevices(const std::filesystem::path& folder);

} // namespace vantrel
