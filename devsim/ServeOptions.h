#pragma once

#include "devsim/DaemonFiles.h"
#include "devsim/Quality.h"
#include "devsim/Receiver.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::devsim {

struct ServeOptions {
    std::string name{DEFAULT_RECEIVER_NAME};
    std::optional<std::filesystem::path> stateFile;
    std::uint8_t mode = MODE_REPORTS;
    Quality quality{};
    std::optional<std::filesystem::path> traceFile;
    ReportTrace reportTrace = ReportTrace::Off;
    // Absent for a device that publishes no hardware-ID list.
    std::optional<std::vector<std::string>> hardwareIds;
    // The loopback port to serve the data frames on as well; 0 for any free one.
    std::optional<std::uint16_t> tcpPort;
};

struct ParsedServeOptions {
    std::optional<ServeOptions> options;
    std::string error;
};

// The words after `serve`. Without --hardware-id the receiver's own IDs are published.
ParsedServeOptions parseServeOptions(const std::vector<std::string>& words);

} // namespace vantrel::devsim
