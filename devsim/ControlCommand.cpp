#include "devsim/ControlCommand.h"

#include "device/DeviceProtocol.h"

#include <charconv>
#include <cstdio>

namespace vantrel::devsim {

namespace {

constexpr std::uint64_t maxCount = 1000000;
constexpr std::uint64_t maxDelayMs = 60000;

std::optional<std::uint64_t> parseNumber(std::string_view text, std::uint64_t max) {
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value > max) {
        return std::nullopt;
    }
    return value;
}

// `200ms`, `2s` or a plain number of milliseconds.
std::optional<std::chrono::milliseconds> parseDelay(std::string_view text) {
    std::uint64_t scale = 1;
    if (text.ends_with("ms")) {
        text.remove_suffix(2);
    } else if (text.ends_with("s")) {
        text.remove_suffix(1);
        scale = 1000;
    }
    const auto value = parseNumber(text, maxDelayMs);
    if (!value || *value * scale > maxDelayMs) {
        return std::nullopt;
    }
    return std::chrono::milliseconds(*value * scale);
}

std::optional<RequestScope> parseScope(std::string_view text) {
    if (text == "reads") {
        return RequestScope::Reads;
    }
    if (text == "writes") {
        return RequestScope::Writes;
    }
    if (text == "queries") {
        return RequestScope::Queries;
    }
    if (text == "all") {
        return RequestScope::All;
    }
    return std::nullopt;
}

ParsedControlCommand refused(std::string error) {
    return {std::nullopt, std::move(error)};
}

ParsedControlCommand accepted(ControlCommand command) {
    return {command, {}};
}

enum class Scoping { Allowed, Refused };

// The words after `fail <kind> [value]`: --count N and, where the kind allows it, --only SCOPE.
std::optional<std::string> parseFaultOptions(const std::vector<std::string>& words,
                                             std::size_t from, Scoping scoping, Fault& fault) {
    for (std::size_t i = from; i < words.size(); i += 2) {
        const std::string& option = words[i];
        if (i + 1 == words.size()) {
            return option + " needs a value";
        }
        const std::string& value = words[i + 1];
        if (option == "--count") {
            const auto count = parseNumber(value, maxCount);
            if (!count || *count == 0) {
                return "--count takes a number from 1 to " + std::to_string(maxCount);
            }
            fault.count = static_cast<int>(*count);
        } else if (option == "--only" && scoping == Scoping::Allowed) {
            const auto scope = parseScope(value);
            if (!scope) {
                return "--only takes reads, writes, queries or all";
            }
            fault.scope = *scope;
        } else {
            return "unknown option " + option;
        }
    }
    return std::nullopt;
}

ParsedControlCommand parseFail(const std::vector<std::string>& words) {
    if (words.size() < 2) {
        return refused("fail needs a kind: error, short, readback, vanish, slow or clear");
    }
    const std::string& kind = words[1];
    if (kind == "clear") {
        if (words.size() != 2) {
            return refused("fail clear takes nothing more");
        }
        return accepted({.action = ControlCommand::Action::ClearFaults});
    }
    Fault fault;
    std::size_t options = 2;
    Scoping scoping = Scoping::Allowed;
    if (kind == "error") {
        const auto code = words.size() > 2 ? parseNumber(words[2], 0xFFFFFFFFu) : std::nullopt;
        if (!code) {
            return refused("fail error needs an error code, e.g. fail error 31");
        }
        fault.kind = FaultKind::Error;
        fault.error = static_cast<std::uint32_t>(*code);
        options = 3;
    } else if (kind == "slow") {
        const auto delay = words.size() > 2 ? parseDelay(words[2]) : std::nullopt;
        if (!delay) {
            return refused("fail slow needs a delay up to 60s, e.g. fail slow 200ms");
        }
        fault.kind = FaultKind::Slow;
        fault.delay = *delay;
        options = 3;
    } else if (kind == "short") {
        fault.kind = FaultKind::ShortCount;
    } else if (kind == "readback") {
        fault.kind = FaultKind::ReadBackMismatch;
        scoping = Scoping::Refused;
    } else if (kind == "vanish") {
        fault.kind = FaultKind::Vanish;
    } else {
        return refused("unknown fault " + kind);
    }
    if (const auto problem = parseFaultOptions(words, options, scoping, fault)) {
        return refused(*problem);
    }
    return accepted({.action = ControlCommand::Action::Inject, .fault = fault});
}

} // namespace

std::optional<std::uint8_t> parseMode(std::string_view text) {
    if (text == "aa") {
        return MODE_REPORTS;
    }
    if (text == "bb") {
        return MODE_NO_REPORTS;
    }
    return std::nullopt;
}

std::string modeText(std::uint8_t mode) {
    char text[4];
    std::snprintf(text, sizeof(text), "%02x", static_cast<unsigned>(mode));
    return text;
}

ParsedControlCommand parseControlCommand(const std::vector<std::string>& words) {
    if (words.empty()) {
        return refused("no command given");
    }
    const std::string& verb = words[0];
    const bool alone = words.size() == 1;
    using Action = ControlCommand::Action;
    if (verb == "plug" || verb == "unplug" || verb == "status" || verb == "dump") {
        if (!alone) {
            return refused(verb + " takes nothing more");
        }
        const Action action = verb == "plug"     ? Action::Plug
                              : verb == "unplug" ? Action::Unplug
                              : verb == "status" ? Action::Status
                                                 : Action::Dump;
        return accepted({.action = action});
    }
    if (verb == "quality") {
        const auto quality = words.size() == 2 ? parseQuality(words[1]) : std::nullopt;
        if (!quality) {
            return refused("quality takes one byte from 0 to 255, or wave");
        }
        return accepted({.action = Action::SetQuality, .quality = *quality});
    }
    if (verb == "mode") {
        const auto mode = words.size() == 2 ? parseMode(words[1]) : std::nullopt;
        if (!mode) {
            return refused("mode takes aa or bb");
        }
        return accepted({.action = Action::SetMode, .mode = *mode});
    }
    if (verb == "fail") {
        return parseFail(words);
    }
    return refused("unknown command " + verb);
}

} // namespace vantrel::devsim
