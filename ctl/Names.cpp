#include "ctl/Names.h"

#include "pcsetup/LabelledSlots.h"

#include <cctype>
#include <charconv>

namespace vantrel::ctl {

std::string matchable(std::string_view name) {
    std::string kept;
    for (const char c : name) {
        if (c == ' ' || c == '-' || c == '_' || c == ',') {
            continue;
        }
        kept += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return kept;
}

std::optional<int> findName(std::span<const std::string_view> names, std::string_view typed) {
    const std::string wanted = matchable(typed);
    for (std::size_t index = 0; index < names.size(); ++index) {
        if (!wanted.empty() && matchable(names[index]) == wanted) {
            return static_cast<int>(index);
        }
    }
    return std::nullopt;
}

std::optional<KeyCode> parseKeyCode(std::string_view typed) {
    if (typed.size() > 2 && typed[0] == '0' && (typed[1] == 'x' || typed[1] == 'X')) {
        unsigned value = 0;
        const char* end = typed.data() + typed.size();
        const auto [stop, error] = std::from_chars(typed.data() + 2, end, value, 16);
        if (error != std::errc{} || stop != end || value > 0xFF) {
            return std::nullopt;
        }
        return static_cast<KeyCode>(value);
    }
    // The exact name first: some names differ only in case.
    for (std::size_t code = 1; code < KEY_CODE_COUNT; ++code) {
        if (keyName(static_cast<KeyCode>(code)) == typed) {
            return static_cast<KeyCode>(code);
        }
    }
    for (std::size_t code = 1; code < KEY_CODE_COUNT; ++code) {
        const std::string_view name = keyName(static_cast<KeyCode>(code));
        if (!name.empty() && name != noKeyText && matchable(name) == matchable(typed)) {
            return static_cast<KeyCode>(code);
        }
    }
    return std::nullopt;
}

std::optional<int> parseLabelledSlot(std::string_view typed) {
    const std::string wanted = matchable(typed);
    for (const LabelledSlot& entry : LABELLED_SLOTS) {
        if (matchable(entry.caption) == wanted) {
            return entry.slot;
        }
    }
    return std::nullopt;
}

} // namespace vantrel::ctl
