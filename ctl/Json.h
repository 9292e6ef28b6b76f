#pragma once

#include <string>
#include <string_view>

namespace vantrel::ctl {

// A JSON string literal of UTF-8 text, quotes included.
std::string jsonString(std::string_view text);

} // namespace vantrel::ctl
