#include "pcsetup/KnownLayouts.h"

#include <algorithm>

namespace vantrel {
namespace {

struct LayoutKey {
    unsigned keyCode;
    std::uint32_t symbol; // level one
    KeyCode code;
};

constexpr std::size_t punctuationKeyCount = 12;

using KnownLayout = std::array<LayoutKey, punctuationKeyCount>;

// Key codes: 20 and 21 right of the digits; 34 and 35 right of the top letter row; 47 and 48
// right of the middle row; 49 left of the digits; 51 above Enter on ISO keyboards; 58 to 61 at
// the right of the bottom row. Key 58 is a letter on every layout but the French one, so
// elsewhere it is left to the letter rule (an entry with symbol 0 never matches or counts).
constexpr std::array<KnownLayout, 10> knownLayouts{{
    // us
    {{{20, 0x2d, 0xBD},   // minus
      {21, 0x3d, 0xBB},   // equal
      {34, 0x5b, 0xDB},   // bracketleft
      {35, 0x5d, 0xDD},   // bracketright
      {47, 0x3b, 0xBA},   // semicolon
      {48, 0x27, 0xDE},   // apostrophe
      {49, 0x60, 0xC0},   // grave
      {51, 0x5c, 0xDC},   // backslash
      {58, 0, 0},         // a letter
      {59, 0x2c, 0xBC},   // comma
      {60, 0x2e, 0xBE},   // period
      {61, 0x2f, 0xBF}}}, // slash
    // gb
    {{{20, 0x2d, 0xBD},   // minus
      {21, 0x3d, 0xBB},   // equal
      {34, 0x5b, 0xDB},   // bracketleft
      {35, 0x5d, 0xDD},   // bracketright
      {47, 0x3b, 0xBA},   // semicolon
      {48, 0x27, 0xC0},   // apostrophe
      {49, 0x60, 0xDF},   // grave
      {51, 0x23, 0xDE},   // numbersign
      {58, 0, 0},         // a letter
      {59, 0x2c, 0xBC},   // comma
      {60, 0x2e, 0xBE},   // period
      {61, 0x2f, 0xBF}}}, // slash
    // de
    {{{20, 0xdf, 0xDB},   // ssharp
      {21, 0xfe51, 0xDD}, // dead_acute
      {34, 0xfc, 0xBA},   // udiaeresis
      {35, 0x2b, 0xBB},   // plus
      {47, 0xf6, 0xC0},   // odiaeresis
      {48, 0xe4, 0xDE},   // adiaeresis
      {49, 0xfe52, 0xDC}, // dead_circumflex
      {51, 0x23, 0xBF},   // numbersign
      {58, 0, 0},         // a letter
      {59, 0x2c, 0xBC},   // comma
      {60, 0x2e, 0xBE},   // period
      {61, 0x2d, 0xBD}}}, // minus
    // fr
    {{{20, 0x29, 0xDB},   // parenright
      {21, 0x3d, 0xBB},   // equal
      {34, 0xfe52, 0xDD}, // dead_circumflex
      {35, 0x24, 0xBA},   // dollar
      {47, 0, 0},         // m, a letter
      {48, 0xf9, 0xC0},   // ugrave
      {49, 0xb2, 0xDE},   // twosuperior
      {51, 0x2a, 0xDC},   // asterisk
      {58, 0x2c, 0xBC},   // comma
      {59, 0x3b, 0xBE},   // semicolon
      {60, 0x3a, 0xBF},   // colon
      {61, 0x21, 0xDF}}}, // exclam
    // es
    {{{20, 0x27, 0xDB},   // apostrophe
      {21, 0xa1, 0xDD},   // exclamdown
      {34, 0xfe50, 0xBA}, // dead_grave
      {35, 0x2b, 0xBB},   // plus
      {47, 0xf1, 0xC0},   // ntilde
      {48, 0xfe51, 0xDE}, // dead_acute
      {49, 0xba, 0xDC},   // masculine
      {51, 0xe7, 0xBF},   // ccedilla
      {58, 0, 0},         // a letter
      {59, 0x2c, 0xBC},   // comma
      {60, 0x2e, 0xBE},   // period
      {61, 0x2d, 0xBD}}}, // minus
    // it
    {{{20, 0x27, 0xDB},   // apostrophe
      {21, 0xec, 0xDD},   // igrave
      {34, 0xe8, 0xBA},   // egrave
      {35, 0x2b, 0xBB},   // plus
      {47, 0xf2, 0xC0},   // ograve
      {48, 0xe0, 0xDE},   // agrave
      {49, 0x5c, 0xDC},   // backslash
      {51, 0xf9, 0xBF},   // ugrave
      {58, 0, 0},         // a letter
      {59, 0x2c, 0xBC},   // comma
      {60, 0x2e, 0xBE},   // period
      {61, 0x2d, 0xBD}}}, // minus
    // se
    {{{20, 0x2b, 0xBB},   // plus
      {21, 0xfe51, 0xDB}, // dead_acute
      {34, 0xe5, 0xDD},   // aring
      {35, 0xfe57, 0xBA}, // dead_diaeresis
      {47, 0xf6, 0xC0},   // odiaeresis
      {48, 0xe4, 0xDE},   // adiaeresis
      {49, 0xa7, 0xDC},   // section
      {51, 0x27, 0xBF},   // apostrophe
      {58, 0, 0},         // a letter
      {59, 0x2c, 0xBC},   // comma
      {60, 0x2e, 0xBE},   // period
      {61, 0x2d, 0xBD}}}, // minus
    // no
    {{{20, 0x2b, 0xBB},   // plus
      {21, 0x5c, 0xDB},   // backslash
      {34, 0xe5, 0xDD},   // aring
      {35, 0xfe57, 0xBA}, // dead_diaeresis
      {47, 0xf8, 0xC0},   // oslash
      {48, 0xe6, 0xDE},   // ae
      {49, 0x7c, 0xDC},   // bar
      {51, 0x27, 0xBF},   // apostrophe
      {58, 0, 0},         // a letter
      {59, 0x2c, 0xBC},   // comma
      {60, 0x2e, 0xBE},   // period
      {61, 0x2d, 0xBD}}}, // minus
    // dk
    {{{20, 0x2b, 0xBB},   // plus
      {21, 0xfe51, 0xDB}, // dead_acute
      {34, 0xe5, 0xDD},   // aring
      {35, 0xfe57, 0xBA}, // dead_diaeresis
      {47, 0xe6, 0xC0},   // ae
      {48, 0xf8, 0xDE},   // oslash
      {49, 0xbd, 0xDC},   // onehalf
      {51, 0x27, 0xBF},   // apostrophe
      {58, 0, 0},         // a letter
      {59, 0x2c, 0xBC},   // comma
      {60, 0x2e, 0xBE},   // period
      {61, 0x2d, 0xBD}}}, // minus
    // ru
    {{{20, 0x2d, 0xBD},   // minus
      {21, 0x3d, 0xBB},   // equal
      {34, 0x6c8, 0xDB},  // Cyrillic_ha
      {35, 0x6df, 0xDD},  // Cyrillic_hardsign
      {47, 0x6d6, 0xBA},  // Cyrillic_zhe
      {48, 0x6dc, 0xDE},  // Cyrillic_e
      {49, 0x6a3, 0xC0},  // Cyrillic_io
      {51, 0x5c, 0xDC},   // backslash
      {58, 0, 0},         // a letter
      {59, 0x6c2, 0xBC},  // Cyrillic_be
      {60, 0x6c0, 0xBE},  // Cyrillic_yu
      {61, 0x2e, 0xBF}}}, // period
}};

// How many of a layout's known symbols may differ from it for the symbols to still be that layout.
constexpr int toleratedDifferences = 3;

struct Match {
    int agreeing = 0;
    int known = 0;
};

Match matchOf(const KnownLayout& layout, const TypingSymbols& symbols) {
    Match match;
    for (const LayoutKey& key : layout) {
        if (key.symbol != 0 && symbols[key.keyCode] != 0) {
            ++match.known;
            match.agreeing += symbols[key.keyCode] == key.symbol ? 1 : 0;
        }
    }
    return match;
}

KeyCode codeIn(const KnownLayout& layout, unsigned keyCode) {
    const auto key = std::find_if(layout.begin(), layout.end(), [keyCode](const LayoutKey& k) {
        return k.keyCode == keyCode && k.symbol != 0;
    });
    return key == layout.end() ? KeyCode{0} : key->code;
}

} // namespace

KnownLayoutAnswer knownLayoutKeyCode(unsigned keyCode, const TypingSymbols& symbols) {
    int best = 0;
    KnownLayoutAnswer answer;
    for (const KnownLayout& layout : knownLayouts) {
        const Match match = matchOf(layout, symbols);
        if (match.agreeing == 0 || match.agreeing < match.known - toleratedDifferences ||
            match.agreeing < best) {
            continue;
        }
        const KeyCode code = codeIn(layout, keyCode);
        if (match.agreeing > best) {
            best = match.agreeing;
            answer = {true, code};
        } else if (code != answer.code) {
            answer.recognised = false;
        }
    }
    return answer;
}

} // namespace vantrel
