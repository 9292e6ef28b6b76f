#include "device/HardwareId.h"

#include <algorithm>
#include <string>

namespace vantrel {

bool matchesUpperCased(std::u16string_view text, std::u16string_view upperPattern) {
    std::u16string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char16_t c) {
        return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
    });
    return upper.find(upperPattern) != std::u16string::npos;
}

} // namespace vantrel
