#pragma once

#include "pcsetup/KeyNames.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vantrel::ctl {

// A name as typed, for matching: lower case, without blanks, dashes, underscores and commas, so
// that "Dpad UP", "dpad-up" and "DPAD_UP" all name the same button.
std::string matchable(std::string_view name);

// The index of the name in the list, matched as above, or nothing.
std::optional<int> findName(std::span<const std::string_view> names, std::string_view typed);

// A key code by the name the PC page shows ("A", "Ctrl(left)", "F12"), in any case, or as a code
// written 0x41.
std::optional<KeyCode> parseKeyCode(std::string_view typed);

// The slot of the PC page's button with this caption ("LB", "Dpad UP").
std::optional<int> parseLabelledSlot(std::string_view typed);

} // namespace vantrel::ctl
