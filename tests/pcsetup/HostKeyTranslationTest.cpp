#include "pcsetup/HostKeyTranslation.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

KeyCode codeOf(int qtKey, Qt::KeyboardModifiers modifiers, quint32 keysym) {
    const QKeyEvent event(QEvent::KeyPress, qtKey, modifiers, 0, keysym, 0);
    return hostKeyCode(event);
}

struct Translation {
    const char* key = nullptr;
    int qtKey = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
    quint32 keysym = 0; // 0: the event has no native symbol
    KeyCode code = 0;
};

void expectTranslations(std::initializer_list<Translation> cases) {
    for (const Translation& c : cases) {
        EXPECT_EQ(codeOf(c.qtKey, c.modifiers, c.keysym), c.code) << c.key;
    }
}

constexpr Qt::KeyboardModifiers none = Qt::NoModifier;
constexpr Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
constexpr Qt::KeyboardModifiers shift = Qt::ShiftModifier;

TEST(HostKeyTranslation, TheX11KeysymTellsTheSidesOfEveryModifier) {
    expectTranslations({
        {"Shift_L", Qt::Key_Shift, none, 0xffe1, 0xA0},
        {"Shift_R", Qt::Key_Shift, none, 0xffe2, 0xA1},
        {"Control_L", Qt::Key_Control, none, 0xffe3, 0xA2},
        {"Control_R", Qt::Key_Control, none, 0xffe4, 0xA3},
        {"Alt_L", Qt::Key_Alt, none, 0xffe9, 0xA4},
        {"Alt_R", Qt::Key_Alt, none, 0xffea, 0xA5},
        {"Meta_L, the left Alt with Shift", Qt::Key_Meta, shift, 0xffe7, 0xA4},
        {"ISO_Level3_Shift", Qt::Key_AltGr, none, 0xfe03, 0xA5},
        {"Super_L", Qt::Key_Super_L, none, 0xffeb, 0x5B},
        {"Super_R", Qt::Key_Super_R, none, 0xffec, 0x5C},
    });
}

TEST(HostKeyTranslation, X11KeysymsGiveTheKeysOfTheUsLayout) {
    expectTranslations({
        {"a", Qt::Key_A, none, 0x61, 0x41},
        {"Z", Qt::Key_Z, shift, 0x5a, 0x5A},
        {"0", Qt::Key_0, none, 0x30, 0x30},
        {"exclam", Qt::Key_Exclam, shift, 0x21, 0x31},
        {"parenright", Qt::Key_ParenRight, shift, 0x29, 0x30},
        {"space", Qt::Key_Space, none, 0x20, 0x20},
        {"semicolon", Qt::Key_Semicolon, none, 0x3b, 0xBA},
        {"colon", Qt::Key_Colon, shift, 0x3a, 0xBA},
        {"plus", Qt::Key_Plus, shift, 0x2b, 0xBB},
        {"less", Qt::Key_Less, shift, 0x3c, 0xBC},
        {"underscore", Qt::Key_Underscore, shift, 0x5f, 0xBD},
        {"period", Qt::Key_Period, none, 0x2e, 0xBE},
        {"question", Qt::Key_Question, shift, 0x3f, 0xBF},
        {"asciitilde", Qt::Key_AsciiTilde, shift, 0x7e, 0xC0},
        {"braceleft", Qt::Key_BraceLeft, shift, 0x7b, 0xDB},
        {"bar", Qt::Key_Bar, shift, 0x7c, 0xDC},
        {"bracketright", Qt::Key_BracketRight, none, 0x5d, 0xDD},
        {"quotedbl", Qt::Key_QuoteDbl, shift, 0x22, 0xDE},
        {"F1", Qt::Key_F1, none, 0xffbe, 0x70},
        {"F24", Qt::Key_F24, none, 0xffd5, 0x87},
        {"Return", Qt::Key_Return, none, 0xff0d, 0x0D},
        {"Escape", Qt::Key_Escape, none, 0xff1b, 0x1B},
        {"BackSpace", Qt::Key_Backspace, none, 0xff08, 0x08},
        {"ISO_Left_Tab", Qt::Key_Backtab, shift, 0xfe20, 0x09},
        {"Prior", Qt::Key_PageUp, none, 0xff55, 0x21},
        {"Delete", Qt::Key_Delete, none, 0xffff, 0x2E},
        {"Print", Qt::Key_Print, none, 0xff61, 0x2C},
        {"Menu", Qt::Key_Menu, none, 0xff67, 0x5D},
        {"Pause", Qt::Key_Pause, none, 0xff13, 0x13},
        {"Break", Qt::Key_Pause, Qt::ControlModifier, 0xff6b, 0x03},
        {"Caps_Lock", Qt::Key_CapsLock, none, 0xffe5, 0x14},
        {"Num_Lock", Qt::Key_NumLock, none, 0xff7f, 0x90},
        {"Scroll_Lock", Qt::Key_ScrollLock, none, 0xff14, 0x91},
        {"3270_Attn", Qt::Key_unknown, none, 0xfd0e, 0xF6},
    });
}

TEST(HostKeyTranslation, TheKeypadHasItsOwnCodesWithNumLockAndNavigationCodesWithout) {
    expectTranslations({
        {"KP_0", Qt::Key_0, keypad, 0xffb0, 0x60},
        {"KP_9", Qt::Key_9, keypad, 0xffb9, 0x69},
        {"KP_Multiply", Qt::Key_Asterisk, keypad, 0xffaa, 0x6A},
        {"KP_Add", Qt::Key_Plus, keypad, 0xffab, 0x6B},
        {"KP_Separator", Qt::Key_Comma, keypad, 0xffac, 0x6C},
        {"KP_Subtract", Qt::Key_Minus, keypad, 0xffad, 0x6D},
        {"KP_Decimal", Qt::Key_Period, keypad, 0xffae, 0x6E},
        {"KP_Divide", Qt::Key_Slash, keypad, 0xffaf, 0x6F},
        {"KP_Enter", Qt::Key_Enter, keypad, 0xff8d, 0x0D},
        {"KP_End", Qt::Key_End, keypad, 0xff9c, 0x23},
        {"KP_Begin", Qt::Key_Clear, keypad, 0xff9d, 0x0C},
        {"KP_Insert", Qt::Key_Insert, keypad, 0xff9e, 0x2D},
    });
}

TEST(HostKeyTranslation, WithoutANativeSymbolQtsKeyDecidesAndModifiersCountAsLeft) {
    expectTranslations({
        {"Shift", Qt::Key_Shift, none, 0, 0xA0},
        {"Control", Qt::Key_Control, none, 0, 0xA2},
        {"Alt", Qt::Key_Alt, none, 0, 0xA4},
        {"AltGr", Qt::Key_AltGr, none, 0, 0xA5},
        {"Super_R", Qt::Key_Super_R, none, 0, 0x5C},
        {"A", Qt::Key_A, none, 0, 0x41},
        {"!", Qt::Key_Exclam, shift, 0, 0x31},
        {"'", Qt::Key_Apostrophe, none, 0, 0xDE},
        {"* on the main keys", Qt::Key_Asterisk, shift, 0, 0x38},
        {"* on the keypad", Qt::Key_Asterisk, keypad, 0, 0x6A},
        {"5 on the keypad", Qt::Key_5, keypad, 0, 0x65},
        {", on the keypad", Qt::Key_Comma, keypad, 0, 0x6C},
        {"Enter on the keypad", Qt::Key_Enter, keypad, 0, 0x0D},
        {"F13", Qt::Key_F13, none, 0, 0x7C},
        {"Tab", Qt::Key_Tab, none, 0, 0x09},
        {"Help", Qt::Key_Help, none, 0, 0x2F},
        {"Select", Qt::Key_Select, none, 0, 0x29},
        {"Execute", Qt::Key_Execute, none, 0, 0x2B},
        {"Clear", Qt::Key_Clear, none, 0, 0x0C},
        {"Cancel", Qt::Key_Cancel, none, 0, 0x03},
        {"Play", Qt::Key_Play, none, 0, 0xFA},
        {"Zoom", Qt::Key_Zoom, none, 0, 0xFB},
        {"SysReq", Qt::Key_SysReq, none, 0, 0x2C},
    });
}

TEST(HostKeyTranslation, KeysWithoutACodeGiveNoKey) {
    expectTranslations({
        {"eacute", Qt::Key_Eacute, none, 0xe9, 0},
        {"XF86AudioPlay", Qt::Key_MediaPlay, none, 0x1008ff14, 0},
        {"unknown", Qt::Key_unknown, none, 0, 0},
        {"Eacute without a symbol", Qt::Key_Eacute, none, 0, 0},
    });
}

// The level-one symbols of the typing block of a few layouts, as an X server gives them.
TypingSymbols layoutOf(std::initializer_list<std::pair<unsigned, std::uint32_t>> keys) {
    TypingSymbols symbols{};
    for (const auto& [keyCode, symbol] : keys) {
        symbols[keyCode] = symbol;
    }
    return symbols;
}

const TypingSymbols germanWithoutDeadKeys = layoutOf({{20, 0xdf},
                                                      {21, 0xb4},
                                                      {29, 'z'},
                                                      {34, 0xfc},
                                                      {35, '+'},
                                                      {47, 0xf6},
                                                      {48, 0xe4},
                                                      {49, '^'},
                                                      {51, '#'},
                                                      {52, 'y'},
                                                      {59, ','},
                                                      {60, '.'},
                                                      {61, '-'}});
const TypingSymbols greek = layoutOf({{20, '-'},
                                      {21, '='},
                                      {24, ';'},
                                      {34, '['},
                                      {35, ']'},
                                      {38, 0x7e1},
                                      {47, 0xfe51},
                                      {48, '\''},
                                      {49, '`'},
                                      {51, '\\'},
                                      {59, ','},
                                      {60, '.'},
                                      {61, '/'}});
const TypingSymbols dvorak = layoutOf({{20, '['},
                                       {21, ']'},
                                       {24, '\''},
                                       {34, '/'},
                                       {35, '='},
                                       {38, 'a'},
                                       {47, 's'},
                                       {48, '-'},
                                       {49, '`'},
                                       {51, '\\'},
                                       {52, ';'},
                                       {59, 'w'},
                                       {60, 'v'},
                                       {61, 'z'}});

struct TypingKey {
    const char* key = nullptr;
    const TypingSymbols* layout = nullptr; // nullptr: the host tells no layout
    quint32 keyCode = 0;
    quint32 keysym = 0; // what the event carries, with the modifiers held
    KeyCode code = 0;
};

TEST(HostKeyTranslation, TypingKeysGiveTheCodesOfTheWindowsLayoutForTheSamePhysicalKey) {
    const TypingKey cases[] = {
        {"AZERTY 1 & unshifted, by position", nullptr, 10, '&', 0x31},
        {"AZERTY 2 \u00e9 unshifted, by position", nullptr, 11, 0xe9, 0x32},
        {"AZERTY A, shifted", nullptr, 24, 'A', 0x41},
        {"Russian ef, shifted, by position", nullptr, 38, 0x6e6, 0x41},
        {"ISO key", nullptr, 94, '|', 0xE2},
        {"German umlaut a, told from its symbol alone", nullptr, 48, 0xe4, 0xDE},
        {"#: UK and German layouts disagree, so by position", nullptr, 51, '#', 0xDC},
        {"German without dead keys: #", &germanWithoutDeadKeys, 51, '#', 0xBF},
        {"German without dead keys: # shifted", &germanWithoutDeadKeys, 51, '\'', 0xBF},
        {"German without dead keys: acute", &germanWithoutDeadKeys, 21, 0xb4, 0xDD},
        {"German without dead keys: ^", &germanWithoutDeadKeys, 49, '^', 0xDC},
        {"German without dead keys: Z", &germanWithoutDeadKeys, 29, 'z', 0x5A},
        {"Greek: the letter key with ; is Q", &greek, 24, ';', 0x51},
        {"Greek: alpha is A", &greek, 38, 0x7e1, 0x41},
        {"Greek: the dead key right of L", &greek, 47, 0xfe51, 0xBA},
        {"Dvorak: ' as the US ' key", &dvorak, 24, '\'', 0xDE},
        {"Dvorak: [ as the US [ key", &dvorak, 20, '[', 0xDB},
        {"Dvorak: W", &dvorak, 59, 'w', 0x57},
        {"Dvorak: Z", &dvorak, 61, 'z', 0x5A},
    };
    for (const TypingKey& c : cases) {
        const QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, none, c.keyCode, c.keysym, 0);
        EXPECT_EQ(hostKeyCode(event, c.layout), c.code) << c.key;
    }
}

// Every code that a host key can give is one that has a name, so that a capture never shows an
// empty or blank label.
TEST(HostKeyTranslation, EveryTranslatedCodeHasAName) {
    for (quint32 keysym = 1; keysym <= 0xffff; ++keysym) {
        const KeyCode code = codeOf(Qt::Key_unknown, none, keysym);
        if (code != 0) {
            EXPECT_NE(keyName(code), " ") << "keysym " << std::hex << keysym;
        }
    }
    for (int qtKey = Qt::Key_Escape; qtKey <= Qt::Key_Zoom; ++qtKey) {
        const KeyCode code = codeOf(qtKey, none, 0);
        if (code != 0) {
            EXPECT_NE(keyName(code), " ") << "Qt key " << std::hex << qtKey;
        }
    }
}

} // namespace
} // namespace vantrel
