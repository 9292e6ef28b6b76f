#include "pcsetup/HeldKeys.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(HeldKeys, AKeyIsHeldFromItsPressToItsRelease) {
    HeldKeys keys;
    keys.press(0x41);
    keys.press(0x01);
    EXPECT_TRUE(keys.isHeld(0x41));
    EXPECT_TRUE(keys.isHeld(0x01));
    EXPECT_FALSE(keys.isHeld(0x42));
    keys.release(0x41);
    EXPECT_FALSE(keys.isHeld(0x41));
    EXPECT_TRUE(keys.isHeld(0x01));
    keys.releaseAll();
    EXPECT_FALSE(keys.isHeld(0x01));
}

TEST(HeldKeys, NoKeyIsNeverHeld) {
    HeldKeys keys;
    keys.press(0);
    EXPECT_FALSE(keys.isHeld(0));
}

TEST(HeldKeys, AGenericModifierIsHeldWhileEitherOfItsKeysIs) {
    for (const ModifierKey& modifier : MODIFIER_KEYS) {
        HeldKeys keys;
        keys.press(modifier.left);
        keys.press(modifier.right);
        EXPECT_TRUE(keys.isHeld(modifier.generic));
        keys.release(modifier.left);
        EXPECT_TRUE(keys.isHeld(modifier.generic));
        EXPECT_FALSE(keys.isHeld(modifier.left));
        keys.release(modifier.right);
        EXPECT_FALSE(keys.isHeld(modifier.generic));
    }
}

TEST(HeldKeys, OnlyAModifierKeyIsReportedByItsGenericCode) {
    const struct {
        KeyCode code;
        KeyCode reported;
    } cases[] = {{0xA0, 0x10}, {0xA1, 0x10}, {0xA2, 0x11}, {0xA3, 0x11}, {0xA4, 0x12},
                 {0xA5, 0x12}, {0x10, 0x10}, {0x5B, 0x5B}, {0x41, 0x41}, {0xA6, 0xA6}};
    for (const auto& c : cases) {
        EXPECT_EQ(reportedKeyCode(c.code), c.reported) << "code " << int(c.code);
    }
}

} // namespace
} // namespace vantrel
