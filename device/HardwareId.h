#pragma once

#include <string_view>

namespace vantrel {

// The fragment of the receiver's hardware identifier. Upper case: the match relies on it.
inline constexpr std::u16string_view hardwareIdPattern = u"VID_7B4D&PID_0018";

// Whether an upper-case pattern occurs in the text once its letters a to z are upper-cased.
bool matchesUpperCased(std::u16string_view text, std::u16string_view upperPattern);

inline bool matchesHardwareId(std::u16string_view text) {
    return matchesUpperCased(text, hardwareIdPattern);
}

} // namespace vantrel
