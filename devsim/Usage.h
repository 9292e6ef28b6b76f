#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrel::devsim {

// The whole synopsis, for `vantrel-devsim --help` and a missing command.
std::string programUsage();

// The help of one command; nothing for a word that is no command.
std::optional<std::string> commandUsage(std::string_view command);

} // namespace vantrel::devsim
