#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

// The low byte of a Windows virtual-key code; 0 means no key.
using KeyCode = std::uint8_t;

inline constexpr std::size_t KEY_CODE_COUNT = 256;

// What a definition without a main key shows, and what stands between held key and main key.
inline constexpr std::string_view noKeyText = "???";
inline constexpr std::string_view heldKeySeparator = " + ";

// The name of every key code. Built once, on first use, and never written afterwards, so any
// thread may read it.
class KeyNameTable {
public:
    static const KeyNameTable& instance();

    std::string_view name(KeyCode code) const { return names_[code]; }

private:
    KeyNameTable();

    std::array<std::string, KEY_CODE_COUNT> names_;
};

std::string_view keyName(KeyCode code);

// The text of a definition: the held key's name, the separator and the main key's name, or the
// main key's name alone when no key is held.
std::string definitionText(KeyCode mainKey, KeyCode heldKey);

} // namespace vantrel
