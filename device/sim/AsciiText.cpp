#include "device/sim/AsciiText.h"

#include <algorithm>

namespace vantrel {

namespace {

char16_t foldAscii(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

} // namespace

bool isPrintableAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

std::u16string widenAscii(std::string_view text) {
    std::u16string wide;
    wide.reserve(text.size());
    for (const char c : text) {
        wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    }
    return wide;
}

bool equalIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](auto x, auto y) {
               return foldAscii(x) == foldAscii(y);
           });
}

} // namespace vantrel
