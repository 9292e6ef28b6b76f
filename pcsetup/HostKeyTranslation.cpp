#include "pcsetup/HostKeyTranslation.h"

#include <QKeyEvent>

#include <algorithm>
#include <array>
#include <string_view>

namespace vantrel {
namespace {

template <typename Host>
struct KeyPair {
    Host host;
    KeyCode code;
};

template <typename Host, std::size_t N>
KeyCode lookUp(const std::array<KeyPair<Host>, N>& table, Host host) {
    const auto found = std::find_if(table.begin(), table.end(), [host](const KeyPair<Host>& pair) {
        return pair.host == host;
    });
    return found == table.end() ? KeyCode{0} : found->code;
}

constexpr KeyCode digitKeys = 0x30;
constexpr int digitCount = 10;
constexpr KeyCode numpadDigitKeys = 0x60;
constexpr KeyCode functionKeys = 0x70;
constexpr int functionKeyCount = 24;

// The unshifted and shifted character of each US-layout punctuation key.
constexpr std::array<KeyPair<std::string_view>, 11> punctuationKeys{{
    {";:", 0xBA},
    {"=+", 0xBB},
    {",<", 0xBC},
    {"-_", 0xBD},
    {".>", 0xBE},
    {"/?", 0xBF},
    {"`~", 0xC0},
    {"[{", 0xDB},
    {"\\|", 0xDC},
    {"]}", 0xDD},
    {"'\"", 0xDE},
}};

// The shifted characters of the digit keys 0 to 9.
constexpr std::string_view shiftedDigits = ")!@#$%^&*(";

// Below this value X11 keysyms and Qt keys are Latin-1 characters.
constexpr int latin1End = 0x100;

// A printable ASCII character, as the X11 keysym or Qt key of the same value carries it.
KeyCode printableKeyCode(char32_t character) {
    if (character == ' ' || (character >= '0' && character <= '9') ||
        (character >= 'A' && character <= 'Z')) {
        return static_cast<KeyCode>(character);
    }
    if (character >= 'a' && character <= 'z') {
        return static_cast<KeyCode>(character - 'a' + 'A');
    }
    if (character > 0x7F) {
        return 0;
    }
    const auto ascii = static_cast<char>(character);
    if (const auto digit = shiftedDigits.find(ascii); digit != std::string_view::npos) {
        return static_cast<KeyCode>(digitKeys + digit);
    }
    for (const KeyPair<std::string_view>& key : punctuationKeys) {
        if (key.host.find(ascii) != std::string_view::npos) {
            return key.code;
        }
    }
    return 0;
}

// X11 keysyms that are not printable ASCII. With Num Lock off the keypad sends the navigation
// keysyms, which give the navigation keys' codes, and its 5 gives Clear.
constexpr std::array<KeyPair<quint32>, 66> keysymKeys{{
    {0xff08, 0x08}, // BackSpace
    {0xff09, 0x09}, // Tab
    {0xfe20, 0x09}, // ISO_Left_Tab: shifted Tab
    {0xff0b, 0x0C}, // Clear
    {0xff0d, 0x0D}, // Return
    {0xff13, 0x13}, // Pause
    {0xff14, 0x91}, // Scroll_Lock
    {0xff15, 0x2C}, // Sys_Req: Print with Alt
    {0xff1b, 0x1B}, // Escape
    {0xffff, 0x2E}, // Delete
    {0xff50, 0x24}, // Home
    {0xff51, 0x25}, // Left
    {0xff52, 0x26}, // Up
    {0xff53, 0x27}, // Right
    {0xff54, 0x28}, // Down
    {0xff55, 0x21}, // Prior
    {0xff56, 0x22}, // Next
    {0xff57, 0x23}, // End
    {0xff58, 0x0C}, // Begin
    {0xff60, 0x29}, // Select
    {0xff61, 0x2C}, // Print
    {0xff62, 0x2B}, // Execute
    {0xff63, 0x2D}, // Insert
    {0xff67, 0x5D}, // Menu
    {0xff69, 0x03}, // Cancel
    {0xff6a, 0x2F}, // Help
    {0xff6b, 0x03}, // Break: Pause with Ctrl
    {0xff7f, 0x90}, // Num_Lock
    {0xff80, 0x20}, // KP_Space
    {0xff89, 0x09}, // KP_Tab
    {0xff8d, 0x0D}, // KP_Enter
    {0xff95, 0x24}, // KP_Home
    {0xff96, 0x25}, // KP_Left
    {0xff97, 0x26}, // KP_Up
    {0xff98, 0x27}, // KP_Right
    {0xff99, 0x28}, // KP_Down
    {0xff9a, 0x21}, // KP_Prior
    {0xff9b, 0x22}, // KP_Next
    {0xff9c, 0x23}, // KP_End
    {0xff9d, 0x0C}, // KP_Begin
    {0xff9e, 0x2D}, // KP_Insert
    {0xff9f, 0x2E}, // KP_Delete
    {0xffaa, 0x6A}, // KP_Multiply
    {0xffab, 0x6B}, // KP_Add
    {0xffac, 0x6C}, // KP_Separator
    {0xffad, 0x6D}, // KP_Subtract
    {0xffae, 0x6E}, // KP_Decimal
    {0xffaf, 0x6F}, // KP_Divide
    {0xffe1, 0xA0}, // Shift_L
    {0xffe2, 0xA1}, // Shift_R
    {0xffe3, 0xA2}, // Control_L
    {0xffe4, 0xA3}, // Control_R
    {0xffe5, 0x14}, // Caps_Lock
    {0xffe7, 0xA4}, // Meta_L: the left Alt key with Shift
    {0xffe8, 0xA5}, // Meta_R
    {0xffe9, 0xA4}, // Alt_L
    {0xffea, 0xA5}, // Alt_R
    {0xfe03, 0xA5}, // ISO_Level3_Shift: the right Alt key as AltGr
    {0xffeb, 0x5B}, // Super_L
    {0xffec, 0x5C}, // Super_R
    {0xfd06, 0xF9}, // 3270_EraseEOF
    {0xfd0a, 0xFD}, // 3270_PA1
    {0xfd0e, 0xF6}, // 3270_Attn
    {0xfd16, 0xFA}, // 3270_Play
    {0xfd1b, 0xF8}, // 3270_ExSelect
    {0xfd1c, 0xF7}, // 3270_CursorSelect
}};

constexpr quint32 keysymF1 = 0xffbe;
constexpr quint32 keysymKpF1 = 0xff91;
constexpr int keysymKpFunctionKeyCount = 4;
constexpr quint32 keysymKp0 = 0xffb0;

KeyCode keysymKeyCode(quint32 keysym) {
    if (keysym >= keysymF1 && keysym < keysymF1 + functionKeyCount) {
        return static_cast<KeyCode>(functionKeys + (keysym - keysymF1));
    }
    if (keysym >= keysymKpF1 && keysym < keysymKpF1 + keysymKpFunctionKeyCount) {
        return static_cast<KeyCode>(functionKeys + (keysym - keysymKpF1));
    }
    if (keysym >= keysymKp0 && keysym < keysymKp0 + digitCount) {
        return static_cast<KeyCode>(numpadDigitKeys + (keysym - keysymKp0));
    }
    if (keysym < latin1End) {
        return printableKeyCode(static_cast<char32_t>(keysym));
    }
    return lookUp(keysymKeys, keysym);
}

// Qt keys that are not printable ASCII. Without a native symbol there is no telling left from
// right, so a modifier counts as its left key.
constexpr std::array<KeyPair<int>, 37> qtKeys{{
    {Qt::Key_Escape, 0x1B},     {Qt::Key_Tab, 0x09},      {Qt::Key_Backtab, 0x09},
    {Qt::Key_Backspace, 0x08},  {Qt::Key_Return, 0x0D},   {Qt::Key_Enter, 0x0D},
    {Qt::Key_Insert, 0x2D},     {Qt::Key_Delete, 0x2E},   {Qt::Key_Pause, 0x13},
    {Qt::Key_Print, 0x2C},      {Qt::Key_SysReq, 0x2C},   {Qt::Key_Clear, 0x0C},
    {Qt::Key_Home, 0x24},       {Qt::Key_End, 0x23},      {Qt::Key_Left, 0x25},
    {Qt::Key_Up, 0x26},         {Qt::Key_Right, 0x27},    {Qt::Key_Down, 0x28},
    {Qt::Key_PageUp, 0x21},     {Qt::Key_PageDown, 0x22}, {Qt::Key_Shift, 0xA0},
    {Qt::Key_Control, 0xA2},    {Qt::Key_Meta, 0x5B},     {Qt::Key_Alt, 0xA4},
    {Qt::Key_AltGr, 0xA5},      {Qt::Key_CapsLock, 0x14}, {Qt::Key_NumLock, 0x90},
    {Qt::Key_ScrollLock, 0x91}, {Qt::Key_Super_L, 0x5B},  {Qt::Key_Super_R, 0x5C},
    {Qt::Key_Menu, 0x5D},       {Qt::Key_Help, 0x2F},     {Qt::Key_Select, 0x29},
    {Qt::Key_Execute, 0x2B},    {Qt::Key_Cancel, 0x03},   {Qt::Key_Play, 0xFA},
    {Qt::Key_Zoom, 0xFB},
}};

// The keypad keys that have codes of their own; its Enter and navigation keys share the main
// keys' codes.
constexpr std::array<KeyPair<int>, 6> qtKeypadKeys{{
    {Qt::Key_Asterisk, 0x6A},
    {Qt::Key_Plus, 0x6B},
    {Qt::Key_Comma, 0x6C},
    {Qt::Key_Minus, 0x6D},
    {Qt::Key_Period, 0x6E},
    {Qt::Key_Slash, 0x6F},
}};

KeyCode qtKeyCode(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (key >= Qt::Key_0 && key < Qt::Key_0 + digitCount) {
            return static_cast<KeyCode>(numpadDigitKeys + (key - Qt::Key_0));
        }
        if (const KeyCode code = lookUp(qtKeypadKeys, key); code != 0) {
            return code;
        }
    }
    if (key >= Qt::Key_F1 && key < Qt::Key_F1 + functionKeyCount) {
        return static_cast<KeyCode>(functionKeys + (key - Qt::Key_F1));
    }
    if (key >= 0 && key < latin1End) {
        return printableKeyCode(static_cast<char32_t>(key));
    }
    return lookUp(qtKeys, key);
}

// From here on X11 keysyms name keys that type no character (function keys, the keypad,
// modifiers), except the dead keys, which are typing keys that have no code of their own.
constexpr quint32 keysymNamedKeys = 0xfd00;

// The symbol of a key without Shift, as far as the shifted one tells it: only letters do.
std::uint32_t levelOneOf(quint32 keysym) {
    if (keysym >= 'A' && keysym <= 'Z') {
        return keysym - 'A' + 'a';
    }
    return keysym;
}

} // namespace

KeyCode hostKeyCode(const QKeyEvent& event, const TypingSymbols* layout) {
    const quint32 keysym = event.nativeVirtualKey();
    if (keysym >= keysymNamedKeys) {
        if (const KeyCode code = keysymKeyCode(keysym); code != 0) {
            return code;
        }
    }
    if (keysym != 0 && isTypingKey(event.nativeScanCode())) {
        TypingSymbols symbols{};
        if (layout) {
            symbols = *layout;
        }
        std::uint32_t& pressed = symbols[event.nativeScanCode()];
        if (pressed == 0) {
            pressed = levelOneOf(keysym);
        }
        return typingKeyCode(event.nativeScanCode(), symbols);
    }
    if (keysym != 0) {
        if (const KeyCode code = keysymKeyCode(keysym); code != 0) {
            return code;
        }
    }
    return qtKeyCode(event.key(), event.modifiers());
}

} // namespace vantrel
