#include "win32/KeyHookVerdict.h"

#include "RecordingCapturePage.h"
#include "pcsetup/KeyCapture.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

constexpr int HOOK_ACTION = 0;
constexpr int HOOK_NO_REMOVE = 3;
constexpr std::intptr_t firstDown = 0x001E0001;
constexpr std::intptr_t repeat = firstDown | (std::intptr_t{1} << 30);
constexpr std::intptr_t release = repeat | (std::intptr_t{1} << 31);
constexpr KeyCode keyA = 0x41;
constexpr KeyCode keyB = 0x42;
constexpr KeyCode enter = 0x0D;
constexpr KeyCode ctrlLeft = 0xA2;
constexpr int lbSlot = 3;

class KeyHookVerdictTest : public testing::Test {
protected:
    KeyMap keyMap;
    test::RecordingCapturePage page{keyMap};
    KeyCapture capture{keyMap, page};
    HeldKeys held;
    int heldReads = 0;

    KeyHookVerdict verdict(int hookCode, KeyCode key, std::intptr_t data) {
        return keyHookVerdict(hookCode, key, data, capture, [this] {
            ++heldReads;
            return held;
        });
    }
};

TEST_F(KeyHookVerdictTest, OnlyFirstKeyDownsReachCaptureAndEverythingElseIsConsumed) {
    const struct {
        int hookCode;
        KeyCode key;
        std::intptr_t data;
        KeyHookVerdict expected;
        int heldReads;
    } cases[] = {
        {HOOK_ACTION, keyA, firstDown, KeyHookVerdict::PassOn, 1},
        {HOOK_ACTION, enter, firstDown, KeyHookVerdict::Consume, 1},
        {HOOK_ACTION, keyA, repeat, KeyHookVerdict::Consume, 0},
        {HOOK_ACTION, keyA, release, KeyHookVerdict::Consume, 0},
        {HOOK_NO_REMOVE, keyA, firstDown, KeyHookVerdict::Consume, 0},
        {-1, keyA, firstDown, KeyHookVerdict::Consume, 0},
    };
    for (const auto& c : cases) {
        heldReads = 0;
        EXPECT_EQ(verdict(c.hookCode, c.key, c.data), c.expected)
            << "code " << c.hookCode << " key " << int(c.key) << " data " << c.data;
        EXPECT_EQ(heldReads, c.heldReads) << "code " << c.hookCode << " data " << c.data;
    }
}

TEST_F(KeyHookVerdictTest, CaptureGetsThePressWithTheKeysHeldAtThatMoment) {
    capture.setHoverSlot(lbSlot);
    capture.beginCapture();
    held.press(ctrlLeft);
    held.press(keyB);
    EXPECT_EQ(verdict(HOOK_ACTION, keyB, firstDown), KeyHookVerdict::Consume);
    EXPECT_EQ(keyMap.mainKey(lbSlot), keyB);
    EXPECT_EQ(keyMap.heldKey(lbSlot), ctrlLeft);

    // A repeat of another key changes nothing of the capture.
    held.press(keyA);
    EXPECT_EQ(verdict(HOOK_ACTION, keyA, repeat), KeyHookVerdict::Consume);
    EXPECT_EQ(keyMap.mainKey(lbSlot), keyB);
}

} // namespace
} // namespace vantrel
