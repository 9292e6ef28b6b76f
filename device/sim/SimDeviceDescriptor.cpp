#include "device/sim/SimDeviceDescriptor.h"

#include "device/sim/AsciiText.h"

namespace vantrel {

namespace {

constexpr std::string_view headerLine = "vantrel-devsim-device 1";
constexpr std::string_view pathKey = "path ";
constexpr std::string_view dataKey = "data ";
constexpr std::string_view idKey = "hardware-id ";
constexpr std::string_view noIdsLine = "hardware-ids none";
constexpr std::size_t maxIds = 16;

bool isPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos;
}

std::optional<std::string_view> valueAfter(std::string_view line, std::string_view key) {
    if (!line.starts_with(key) || line.size() == key.size()) {
        return std::nullopt;
    }
    return line.substr(key.size());
}

} // namespace

std::string encodeDescriptor(const SimDeviceDescriptor& descriptor) {
    std::string text(headerLine);
    text += '\n';
    text.append(pathKey).append(descriptor.interfacePath) += '\n';
    text.append(dataKey).append(descriptor.dataSocket) += '\n';
    if (descriptor.hardwareIds) {
        for (const auto& id : *descriptor.hardwareIds) {
            text.append(idKey).append(id) += '\n';
        }
    } else {
        text.append(noIdsLine) += '\n';
    }
    return text;
}

std::optional<SimDeviceDescriptor> decodeDescriptor(std::string_view text) {
    if (text.size() > MAX_DESCRIPTOR_SIZE || !text.ends_with('\n')) {
        return std::nullopt;
    }
    SimDeviceDescriptor descriptor;
    bool sawHeader = false;
    bool sawNoIds = false;
    std::vector<std::string> ids;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (!isPrintableAscii(line)) {
            return std::nullopt;
        }
        if (!sawHeader) {
            if (line != headerLine) {
                return std::nullopt;
            }
            sawHeader = true;
        } else if (const auto path = valueAfter(line, pathKey)) {
            if (!descriptor.interfacePath.empty()) {
                return std::nullopt;
            }
            descriptor.interfacePath = *path;
        } else if (const auto data = valueAfter(line, dataKey)) {
            if (!descriptor.dataSocket.empty() || !isPlainFileName(*data)) {
                return std::nullopt;
            }
            descriptor.dataSocket = *data;
        } else if (const auto id = valueAfter(line, idKey)) {
            if (ids.size() == maxIds) {
                return std::nullopt;
            }
            ids.emplace_back(*id);
        } else if (line == noIdsLine && !sawNoIds) {
            sawNoIds = true;
        } else {
            return std::nullopt;
        }
    }
    if (descriptor.interfacePath.empty() || descriptor.dataSocket.empty() ||
        (sawNoIds && !ids.empty())) {
        return std::nullopt;
    }
    if (!sawNoIds) {
        descriptor.hardwareIds = std::move(ids);
    }
    return descriptor;
}

BusDevice busDeviceOf(const SimDeviceDescriptor& descriptor) {
    BusDevice device{std::nullopt, widenAscii(descriptor.interfacePath)};
    if (descriptor.hardwareIds) {
        device.hardwareIds.emplace();
        for (const auto& id : *descriptor.hardwareIds) {
            device.hardwareIds->push_back(widenAscii(id));
        }
    }
    return device;
}

} // namespace vantrel
