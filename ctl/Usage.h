#pragma once

#include <string>
#include <string_view>

namespace vantrel::ctl {

// The help of a command ("keys", "x360", …), or of the whole tool for any other word.
std::string usageOf(std::string_view command);

} // namespace vantrel::ctl
