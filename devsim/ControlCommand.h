#pragma once

#include "devsim/Fault.h"
#include "devsim/Quality.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::devsim {

// One command to a serving receiver, as given after the program name, e.g.
// `fail error 31 --count 3 --only writes`. The same words travel over the control socket.
struct ControlCommand {
    enum class Action { Plug, Unplug, SetQuality, SetMode, Inject, ClearFaults, Status, Dump };
    Action action = Action::Status;
    Quality quality{};   // SetQuality
    std::uint8_t mode{}; // SetMode
    Fault fault{};       // Inject
};

struct ParsedControlCommand {
    std::optional<ControlCommand> command;
    std::string error; // why the words are not a command
};

ParsedControlCommand parseControlCommand(const std::vector<std::string>& words);

// `aa` or `bb`, the two modes the receiver can answer.
std::optional<std::uint8_t> parseMode(std::string_view text);
std::string modeText(std::uint8_t mode);

} // namespace vantrel::devsim
