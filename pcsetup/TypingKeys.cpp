#include "pcsetup/TypingKeys.h"

#include "pcsetup/KnownLayouts.h"

#include <algorithm>
#include <string_view>

namespace vantrel {
namespace {

struct KeyRange {
    unsigned first;
    unsigned last;
};

// The rows of the typing block, and the code of each key by its place on a US keyboard.
constexpr std::array<KeyRange, 5> typingRows{{{10, 21}, {24, 35}, {38, 49}, {51, 61}, {94, 94}}};

constexpr std::array<KeyCode, TYPING_BLOCK_END> usPositionCodes = [] {
    std::array<KeyCode, TYPING_BLOCK_END> codes{};
    constexpr std::string_view digitRow = "1234567890";
    constexpr std::string_view topRow = "QWERTYUIOP";
    constexpr std::string_view middleRow = "ASDFGHJKL";
    constexpr std::string_view bottomRow = "ZXCVBNM";
    for (unsigned i = 0; i < digitRow.size(); ++i) {
        codes[10 + i] = static_cast<KeyCode>(digitRow[i]);
    }
    for (unsigned i = 0; i < topRow.size(); ++i) {
        codes[24 + i] = static_cast<KeyCode>(topRow[i]);
    }
    for (unsigned i = 0; i < middleRow.size(); ++i) {
        codes[38 + i] = static_cast<KeyCode>(middleRow[i]);
    }
    for (unsigned i = 0; i < bottomRow.size(); ++i) {
        codes[52 + i] = static_cast<KeyCode>(bottomRow[i]);
    }
    codes[20] = 0xBD;
    codes[21] = 0xBB;
    codes[34] = 0xDB;
    codes[35] = 0xDD;
    codes[47] = 0xBA;
    codes[48] = 0xDE;
    codes[49] = 0xC0;
    codes[51] = 0xDC;
    codes[59] = 0xBC;
    codes[60] = 0xBE;
    codes[61] = 0xBF;
    codes[94] = 0xE2;
    return codes;
}();

// The keys whose code is their position on every layout: the digit row and the ISO key.
bool isPositionalKey(unsigned keyCode) {
    return (keyCode >= 10 && keyCode <= 19) || keyCode == 94;
}

// The unshifted symbols of the US punctuation keys, each with its key's code.
struct SymbolCode {
    std::uint32_t symbol;
    KeyCode code;
};

constexpr std::array<SymbolCode, 11> usPunctuation{{
    {'-', 0xBD},
    {'=', 0xBB},
    {'[', 0xDB},
    {']', 0xDD},
    {';', 0xBA},
    {'\'', 0xDE},
    {'`', 0xC0},
    {'\\', 0xDC},
    {',', 0xBC},
    {'.', 0xBE},
    {'/', 0xBF},
}};

KeyCode latinLetterCode(std::uint32_t symbol) {
    if (symbol >= 'a' && symbol <= 'z') {
        return static_cast<KeyCode>(symbol - 'a' + 'A');
    }
    if (symbol >= 'A' && symbol <= 'Z') {
        return static_cast<KeyCode>(symbol);
    }
    return 0;
}

KeyCode usPunctuationCode(std::uint32_t symbol) {
    const auto found =
        std::find_if(usPunctuation.begin(), usPunctuation.end(),
                     [symbol](const SymbolCode& key) { return key.symbol == symbol; });
    return found == usPunctuation.end() ? KeyCode{0} : found->code;
}

} // namespace

bool isTypingKey(unsigned keyCode) {
    return std::any_of(typingRows.begin(), typingRows.end(), [keyCode](const KeyRange& row) {
        return keyCode >= row.first && keyCode <= row.last;
    });
}

KeyCode typingKeyCode(unsigned keyCode, const TypingSymbols& symbols) {
    if (!isTypingKey(keyCode)) {
        return 0;
    }
    if (isPositionalKey(keyCode)) {
        return usPositionCodes[keyCode];
    }
    const KnownLayoutAnswer known = knownLayoutKeyCode(keyCode, symbols);
    if (known.code != 0 && known.recognised) {
        return known.code;
    }
    if (const KeyCode letter = latinLetterCode(symbols[keyCode]); letter != 0) {
        return letter;
    }
    // On a layout that is not known, the punctuation of a US keyboard counts as the keys that
    // carry it unshifted there. Any other symbol (a letter of another script, a dead key) goes by
    // its key's position.
    if (!known.recognised) {
        if (const KeyCode punctuation = usPunctuationCode(symbols[keyCode]); punctuation != 0) {
            return punctuation;
        }
    }
    return usPositionCodes[keyCode];
}

} // namespace vantrel
