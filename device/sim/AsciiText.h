#pragma once

#include <string>
#include <string_view>

// The simulated bus spells paths and hardware IDs in printable ASCII, so the host's UTF-16 text
// is a plain widening of it.
namespace vantrel {

bool isPrintableAscii(std::string_view text);
std::u16string widenAscii(std::string_view text);
bool equalIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);

} // namespace vantrel
