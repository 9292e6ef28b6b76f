#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// The program's texts are UTF-8; the host's wide calls take UTF-16.
std::wstring toWide(std::string_view text);
std::string toUtf8(std::wstring_view text);

} // namespace vantrel
