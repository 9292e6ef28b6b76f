#include "pcsetup/KeyNames.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace vantrel {
namespace {

// Every code with a name of its own, typed out from the key-name list.
const std::map<int, std::string> listedNames{
    {0x01, "mRl"},
    {0x02, "mRr"},
    {0x03, "Cancel"},
    {0x04, "mRm"},
    {0x08, "Backspace"},
    {0x09, "TAB"},
    {0x0C, "Clear "},
    {0x0D, "Enter"},
    {0x10, "Shift"},
    {0x11, "Ctrl"},
    {0x12, "Alt "},
    {0x13, "Pause"},
    {0x14, "Caps Lock"},
    {0x1B, "Esc"},
    {0x20, "Space"},
    {0x21, "PgUp"},
    {0x22, "PgDn"},
    {0x23, "End"},
    {0x24, "Home"},
    {0x25, "Lt Arrow"},
    {0x26, "Up Arrow"},
    {0x27, "Rt Arrow"},
    {0x28, "Dn Arrow"},
    {0x29, "Select"},
    {0x2B, "Execute"},
    {0x2C, "PrtScr"},
    {0x2D, "Insert"},
    {0x2E, "Delete"},
    {0x2F, "Help"},
    {0x5B, "Win(left)"},
    {0x5C, "Win(right)"},
    {0x5D, "Apps"},
    {0x6A, "*"},
    {0x6B, "+"},
    {0x6C, "Separator"},
    {0x6D, "-"},
    {0x6E, "Decimal"},
    {0x6F, "/"},
    {0x88, ""},
    {0x90, "Num Lock"},
    {0x91, "Scroll Lock"},
    {0xA0, "Shift(left)"},
    {0xA1, "Shift(right)"},
    {0xA2, "Ctrl(left)"},
    {0xA3, "Ctrl(right)"},
    {0xA4, "Alt(left)"},
    {0xA5, "Alt(right)"},
    {0xBA, ";:"},
    {0xBB, "+"},
    {0xBC, ","},
    {0xBD, "-"},
    {0xBE, "."},
    {0xBF, "?/"},
    {0xC0, "~`"},
    {0xDB, "{["},
    {0xDC, "|\\"},
    {0xDD, "}]"},
    {0xDE, "\"'"},
    {0xE7, "Packet"},
    {0xF6, "ATTN"},
    {0xF7, "CRSEL"},
    {0xF8, "EXSEL"},
    {0xF9, "Erase EOF"},
    {0xFA, "Play"},
    {0xFB, "Zoom"},
    {0xFD, "PA1"},
    {0xFE, "Clear"},
};

std::string expectedName(int code) {
    if (code >= 0x30 && code <= 0x39) {
        return std::string(1, static_cast<char>(code));
    }
    if (code >= 0x41 && code <= 0x5A) {
        return std::string(1, static_cast<char>(code));
    }
    if (code >= 0x60 && code <= 0x69) {
        return "Num" + std::to_string(code - 0x60);
    }
    if (code >= 0x70 && code <= 0x87) {
        return "F" + std::to_string(code - 0x6F);
    }
    const auto listed = listedNames.find(code);
    return listed == listedNames.end() ? " " : listed->second;
}

TEST(KeyNames, EveryCodeHasItsExactName) {
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(keyName(static_cast<KeyCode>(code)), expectedName(code)) << "code " << code;
    }
}

TEST(KeyNames, RuleRangesEndWhereTheListSays) {
    const std::map<int, std::string> bounds{
        {0x30, "0"},   {0x39, "9"}, {0x3A, " "},    {0x40, " "},    {0x41, "A"},  {0x5A, "Z"},
        {0x5E, " "},   {0x5F, " "}, {0x60, "Num0"}, {0x69, "Num9"}, {0x70, "F1"}, {0x79, "F10"},
        {0x87, "F24"}, {0x89, " "}, {0x00, " "},    {0xFF, " "},
    };
    for (const auto& [code, name] : bounds) {
        EXPECT_EQ(keyName(static_cast<KeyCode>(code)), name) << "code " << code;
    }
}

struct DefinitionCase {
    KeyCode mainKey;
    KeyCode heldKey;
    std::string text;
};

TEST(DefinitionText, PutsTheHeldKeyFirstAndMarksAMissingMainKey) {
    const DefinitionCase cases[] = {
        {0x00, 0x00, "???"},
        {0x41, 0x00, "A"},
        {0x41, 0xA2, "Ctrl(left) + A"},
        {0x10, 0xA2, "Ctrl(left) + Shift"},
        {0x00, 0xA2, "Ctrl(left) + ???"},
        {0x07, 0x00, " "},
        {0x88, 0x00, ""},
        {0x88, 0x41, "A + "},
        {0x41, 0x88, " + A"},
        {0x41, 0x07, "  + A"},
        {0x0C, 0x00, "Clear "},
        {0xFE, 0x00, "Clear"},
        {0x12, 0x00, "Alt "},
        {0x6B, 0x00, "+"},
        {0xBB, 0x00, "+"},
        {0x6D, 0x00, "-"},
        {0xBD, 0x00, "-"},
        {0x41, 0x41, "A + A"},
        {0x01, 0x00, "mRl"},
        {0x30, 0x04, "mRm + 0"},
    };
    for (const DefinitionCase& c : cases) {
        EXPECT_EQ(definitionText(c.mainKey, c.heldKey), c.text)
            << "main " << int{c.mainKey} << ", held " << int{c.heldKey};
    }
}

} // namespace
} // namespace vantrel
