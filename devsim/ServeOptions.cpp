#include "devsim/ServeOptions.h"

#include "device/sim/AsciiText.h"
#include "devsim/ControlCommand.h"
#include "devsim/ReceiverIdentity.h"

namespace vantrel::devsim {

namespace {

ParsedServeOptions refused(std::string error) {
    return {std::nullopt, std::move(error)};
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
