#include "devsim/ServeOptions.h"

#include "device/sim/AsciiText.h"
#include "devsim/ControlCommand.h"
#include "devsim/ReceiverIdentity.h"

#include <charconv>

namespace vantrel::devsim {

namespace {

ParsedServeOptions refused(std::string error) {
    return {std::nullopt, std::move(error)};
}

std::optional<std::uint16_t> parsePort(const std::string& text) {
    unsigned port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || port > 65535) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(port);
}

} // namespace

ParsedServeOptions parseServeOptions(const std::vector<std::string>& words) {
    ServeOptions options;
    std::vector<std::string> ids;
    bool noIds = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& option = words[i];
        if (option == "--trace-reports") {
            options.reportTrace = ReportTrace::On;
            continue;
        }
        if (option == "--no-hardware-ids") {
            noIds = true;
            continue;
        }
        if (i + 1 == words.size()) {
            return refused(option.starts_with("--") ? option + " needs a value"
                                                    : "unexpected " + option);
        }
        const std::string& value = words[++i];
        if (option == "--name") {
            if (!isValidReceiverName(value)) {
                return refused("--name takes up to 32 letters, digits, '-' or '_'");
            }
            options.name = value;
        } else if (option == "--state") {
            options.stateFile = value;
        } else if (option == "--trace") {
            options.traceFile = value;
        } else if (option == "--mode") {
            const auto mode = parseMode(value);
            if (!mode) {
                return refused("--mode takes aa or bb");
            }
            options.mode = *mode;
        } else if (option == "--quality") {
            const auto quality = parseQuality(value);
            if (!quality) {
                return refused("--quality takes one byte from 0 to 255, or wave");
            }
            options.quality = *quality;
        } else if (option == "--hardware-id") {
            if (value.empty() || !isPrintableAscii(value)) {
                return refused("--hardware-id takes printable ASCII text");
            }
            ids.push_back(value);
        } else if (option == "--tcp") {
            const auto port = parsePort(value);
            if (!port) {
                return refused("--tcp takes a port from 0 to 65535 (0: any free port)");
            }
            options.tcpPort = *port;
        } else {
            return refused("unknown option " + option);
        }
    }
    if (noIds && !ids.empty()) {
        return refused("--no-hardware-ids and --hardware-id exclude each other");
    }
    if (!noIds) {
        options.hardwareIds = ids.empty() ? receiverHardwareIds() : ids;
    }
    return {options, {}};
}

} // namespace vantrel::devsim
