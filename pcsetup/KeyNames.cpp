#include "pcsetup/KeyNames.h"

namespace vantrel {

namespace {

struct NamedKey {
    KeyCode code;
    std::string_view name;
};

// The names that follow no rule. "Clear " and "Alt " end in a blank, and 0x88 shows nothing.
constexpr std::array namedKeys{
    NamedKey{0x01, "mRl"},
    NamedKey{0x02, "mRr"},
    NamedKey{0x03, "Cancel"},
    NamedKey{0x04, "mRm"},
    NamedKey{0x08, "Backspace"},
    NamedKey{0x09, "TAB"},
    NamedKey{0x0C, "Clear "},
    NamedKey{0x0D, "Enter"},
    NamedKey{0x10, "Shift"},
    NamedKey{0x11, "Ctrl"},
    NamedKey{0x12, "Alt "},
    NamedKey{0x13, "Pause"},
    NamedKey{0x14, "Caps Lock"},
    NamedKey{0x1B, "Esc"},
    NamedKey{0x20, "Space"},
    NamedKey{0x21, "PgUp"},
    NamedKey{0x22, "PgDn"},
    NamedKey{0x23, "End"},
    NamedKey{0x24, "Home"},
    NamedKey{0x25, "Lt Arrow"},
    NamedKey{0x26, "Up Arrow"},
    NamedKey{0x27, "Rt Arrow"},
    NamedKey{0x28, "Dn Arrow"},
    NamedKey{0x29, "Select"},
    NamedKey{0x2B, "Execute"},
    NamedKey{0x2C, "PrtScr"},
    NamedKey{0x2D, "Insert"},
    NamedKey{0x2E, "Delete"},
    NamedKey{0x2F, "Help"},
    NamedKey{0x5B, "Win(left)"},
    NamedKey{0x5C, "Win(right)"},
    NamedKey{0x5D, "Apps"},
    NamedKey{0x6A, "*"},
    NamedKey{0x6B, "+"},
    NamedKey{0x6C, "Separator"},
    NamedKey{0x6D, "-"},
    NamedKey{0x6E, "Decimal"},
    NamedKey{0x6F, "/"},
    NamedKey{0x88, ""},
    NamedKey{0x90, "Num Lock"},
    NamedKey{0x91, "Scroll Lock"},
    NamedKey{0xA0, "Shift(left)"},
    NamedKey{0xA1, "Shift(right)"},
    NamedKey{0xA2, "Ctrl(left)"},
    NamedKey{0xA3, "Ctrl(right)"},
    NamedKey{0xA4, "Alt(left)"},
    NamedKey{0xA5, "Alt(right)"},
    NamedKey{0xBA, ";:"},
    NamedKey{0xBB, "+"},
    NamedKey{0xBC, ","},
    NamedKey{0xBD, "-"},
    NamedKey{0xBE, "."},
    NamedKey{0xBF, "?/"},
    NamedKey{0xC0, "~`"},
    NamedKey{0xDB, "{["},
    NamedKey{0xDC, "|\\"},
    NamedKey{0xDD, "}]"},
    NamedKey{0xDE, "\"'"},
    NamedKey{0xE7, "Packet"},
    NamedKey{0xF6, "ATTN"},
    NamedKey{0xF7, "CRSEL"},
    NamedKey{0xF8, "EXSEL"},
    NamedKey{0xF9, "Erase EOF"},
    NamedKey{0xFA, "Play"},
    NamedKey{0xFB, "Zoom"},
    NamedKey{0xFD, "PA1"},
    NamedKey{0xFE, "Clear"},
};

// An unnamed key still shows one blank, so that its label does not read as a cleared slot.
constexpr std::string_view unnamedKeyText = " ";

constexpr KeyCode firstDigitKey = 0x30;
constexpr KeyCode firstLetterKey = 0x41;
constexpr KeyCode firstNumpadKey = 0x60;
constexpr KeyCode firstFunctionKey = 0x70;
constexpr int digitCount = 10;
constexpr int letterCount = 26;
constexpr int functionKeyCount = 24;

} // namespace

KeyNameTable::KeyNameTable() {
    names_.fill(std::string(unnamedKeyText));
    for (int i = 0; i < digitCount; ++i) {
        names_[firstDigitKey + i] = std::string(1, static_cast<char>('0' + i));
        names_[firstNumpadKey + i] = "Num" + std::to_string(i);
    }
    for (int i = 0; i < letterCount; ++i) {
        names_[firstLetterKey + i] = std::string(1, static_cast<char>('A' + i));
    }
    for (int i = 0; i < functionKeyCount; ++i) {
        names_[firstFunctionKey + i] = "F" + std::to_string(i + 1);
    }
    for (const NamedKey& key : namedKeys) {
        names_[key.code] = key.name;
    }
}

const KeyNameTable& KeyNameTable::instance() {
    static const KeyNameTable table;
    return table;
}

std::string_view keyName(KeyCode code) {
    return KeyNameTable::instance().name(code);
}

std::string definitionText(KeyCode mainKey, KeyCode heldKey) {
    std::string text(mainKey == 0 ? noKeyText : keyName(mainKey));
    if (heldKey != 0) {
        text = std::string(keyName(heldKey)) + std::string(heldKeySeparator) + text;
    }
    return text;
}

} // namespace vantrel
