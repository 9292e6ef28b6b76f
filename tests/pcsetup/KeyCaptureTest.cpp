#include "pcsetup/KeyCapture.h"

#include "RecordingCapturePage.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace vantrel {
namespace {

constexpr int lbSlot = 3;     // default "Space"
constexpr int startSlot = 30; // default "Q"
constexpr KeyCode keyA = 0x41;
constexpr KeyCode keyB = 0x42;
constexpr KeyCode backspace = 0x08;
constexpr KeyCode enter = 0x0D;
constexpr KeyCode esc = 0x1B;
constexpr KeyCode shiftLeft = 0xA0;
constexpr KeyCode ctrlLeft = 0xA2;

class KeyCaptureTest : public testing::Test {
protected:
    KeyMap keyMap;
    test::RecordingCapturePage page{keyMap};
    KeyCapture capture{keyMap, page};
    HeldKeys heldKeys;

    // A first key-down, reported as the hook reports it: the key is held from now on.
    KeyPressAnswer press(KeyCode code) {
        heldKeys.press(code);
        return capture.onKeyPress(reportedKeyCode(code), heldKeys);
    }

    // The keys are held down, in this order, and then the last one is pressed.
    KeyPressAnswer pressWhileHolding(std::initializer_list<KeyCode> held, KeyCode pressed) {
        for (const KeyCode code : held) {
            heldKeys.press(code);
        }
        return press(pressed);
    }

    void startCapture(int slot) {
        capture.setHoverSlot(slot);
        capture.beginCapture();
        page.calls.clear();
    }
};

TEST_F(KeyCaptureTest, WithNoLabelHoveredOnlyEnterAndEscAreConsumed) {
    const struct {
        KeyCode key;
        KeyPressAnswer answer;
    } cases[] = {
        {enter, KeyPressAnswer::Consumed},     {esc, KeyPressAnswer::Consumed},
        {keyA, KeyPressAnswer::PassedOn},      {backspace, KeyPressAnswer::PassedOn},
        {shiftLeft, KeyPressAnswer::PassedOn}, {0x70, KeyPressAnswer::PassedOn},
        {0, KeyPressAnswer::PassedOn},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(press(c.key), c.answer) << "key " << int(c.key);
        EXPECT_EQ(capture.consumesPress(reportedKeyCode(c.key)),
                  c.answer == KeyPressAnswer::Consumed)
            << "key " << int(c.key);
    }
    EXPECT_EQ(keyMap.currentKeyMap(), DEFAULT_KEY_MAP);
    EXPECT_TRUE(page.calls.empty());
}

TEST_F(KeyCaptureTest, HoveringWithoutCapturingConsumesEveryKeyAndChangesNothing) {
    capture.setHoverSlot(lbSlot);
    for (const KeyCode key : {keyA, enter, esc, backspace, shiftLeft}) {
        EXPECT_EQ(press(key), KeyPressAnswer::Consumed) << "key " << int(key);
    }
    EXPECT_EQ(keyMap.currentKeyMap(), DEFAULT_KEY_MAP);
    EXPECT_FALSE(capture.isCapturing());
    EXPECT_TRUE(page.calls.empty());
}

TEST_F(KeyCaptureTest, AKeyWithoutACodeIsPassedOnEvenDuringCapture) {
    startCapture(lbSlot);
    EXPECT_EQ(capture.onKeyPress(0, heldKeys), KeyPressAnswer::PassedOn);
    EXPECT_EQ(keyMap.currentKeyMap(), DEFAULT_KEY_MAP);
    EXPECT_TRUE(page.calls.empty());
}

TEST_F(KeyCaptureTest, OnlyLabelledSlotsCanBeHoveredAndCaptureKeepsItsSlot) {
    for (const int slot : {4, 31, -1, 32}) {
        capture.setHoverSlot(slot);
        EXPECT_EQ(capture.hoverSlot(), -1) << "slot " << slot;
    }
    capture.setHoverSlot(lbSlot);
    capture.beginCapture();
    capture.setHoverSlot(startSlot);
    EXPECT_EQ(capture.hoverSlot(), lbSlot);
}

TEST_F(KeyCaptureTest, BeginCaptureShowsThePlaceholderAndHelpWithoutTouchingTheMap) {
    capture.setHoverSlot(lbSlot);
    capture.beginCapture();
    EXPECT_TRUE(capture.isCapturing());
    EXPECT_EQ(page.labels[lbSlot], "???");
    EXPECT_EQ(page.helpText, "Press a key or two-key combination; then Click or Press ENTER to "
                             "define; ESC to escape without change, BACKSPACE to clear.");
    EXPECT_EQ(keyMap.currentKeyMap(), DEFAULT_KEY_MAP);
}

TEST_F(KeyCaptureTest, BeginCaptureWithNothingHoveredDoesNothing) {
    capture.beginCapture();
    EXPECT_FALSE(capture.isCapturing());
    EXPECT_TRUE(page.calls.empty());
}

TEST_F(KeyCaptureTest, EndCaptureWithoutAKeyGivesTheLabelItsDefinitionBack) {
    startCapture(lbSlot);
    capture.endCapture();
    EXPECT_FALSE(capture.isCapturing());
    EXPECT_EQ(page.labels[lbSlot], "Space");
    EXPECT_EQ(keyMap.currentKeyMap(), DEFAULT_KEY_MAP);
    EXPECT_EQ(press(keyA), KeyPressAnswer::Consumed);
    EXPECT_EQ(keyMap.currentKeyMap(), DEFAULT_KEY_MAP);
}

TEST_F(KeyCaptureTest, EachPressIsStoredAtOnceAndTheLastOneWins) {
    startCapture(lbSlot);
    press(keyA);
    EXPECT_EQ(keyMap.mainKey(lbSlot), keyA);
    EXPECT_EQ(page.labels[lbSlot], "A");
    heldKeys.release(keyA);

    pressWhileHolding({ctrlLeft}, keyB);
    EXPECT_EQ(keyMap.mainKey(lbSlot), keyB);
    EXPECT_EQ(keyMap.heldKey(lbSlot), ctrlLeft);
    EXPECT_EQ(page.labels[lbSlot], "Ctrl(left) + B");
    heldKeys.releaseAll();

    // A lone modifier replaces the whole combination, held key included.
    press(shiftLeft);
    EXPECT_EQ(keyMap.mainKey(lbSlot), shiftLeft);
    EXPECT_EQ(keyMap.heldKey(lbSlot), 0);
    EXPECT_EQ(page.calls, (std::vector<std::string>{"label 3 A", "label 3 Ctrl(left) + B",
                                                    "label 3 Shift(left)"}));
    EXPECT_TRUE(capture.isCapturing());
}

// What the scan from code 255 downwards makes of several held keys.
TEST_F(KeyCaptureTest, TheHighestHeldCodeOtherThanThePressedKeyBecomesTheHeldKey) {
    const struct {
        std::initializer_list<KeyCode> held;
        KeyCode pressed = 0;
        KeyCode mainKey = 0;
        KeyCode heldKey = 0;
        const char* label = nullptr;
    } cases[] = {
        {{0x42, 0x44}, keyA, keyA, 0x44, "D + A"},
        {{0x5A, ctrlLeft}, keyA, keyA, ctrlLeft, "Ctrl(left) + A"},
        // A key above Shift's own codes makes the generic Shift the main key.
        {{0xBA}, shiftLeft, 0x10, 0xBA, ";: + Shift"},
        {{0xA5}, 0xA3, 0x11, 0xA5, "Alt(right) + Ctrl"},
        // Below them the press counts as a lone Shift, and the held key is not recorded.
        {{0x41, 0x42}, 0xA1, 0xA1, 0, "Shift(right)"},
        // The held right key comes before the pressed left one.
        {{0xA3}, ctrlLeft, 0xA3, 0, "Ctrl(right)"},
        {{0x01}, keyA, keyA, 0x01, "mRl + A"},
        {{0x04, 0x02}, keyA, keyA, 0x04, "mRm + A"},
    };
    for (const auto& c : cases) {
        heldKeys.releaseAll();
        startCapture(lbSlot);
        EXPECT_EQ(pressWhileHolding(c.held, c.pressed), KeyPressAnswer::Consumed);
        EXPECT_EQ(keyMap.mainKey(lbSlot), c.mainKey) << c.label;
        EXPECT_EQ(keyMap.heldKey(lbSlot), c.heldKey) << c.label;
        EXPECT_EQ(page.labels[lbSlot], c.label);
        EXPECT_EQ(page.labels[lbSlot], definitionText(c.mainKey, c.heldKey));
    }
}

TEST_F(KeyCaptureTest, BackspaceClearsTheSlotEndsCaptureAndHoversWhatIsUnderThePointer) {
    keyMap.setDefinition(lbSlot, keyA, ctrlLeft);
    keyMap.takeBaseline();
    startCapture(lbSlot);
    // The pointer moved onto another label during the capture.
    bool capturingAtHover = true;
    page.hoverAtPointer = [&] {
        capturingAtHover = capture.isCapturing();
        capture.setHoverSlot(startSlot);
    };

    EXPECT_EQ(press(backspace), KeyPressAnswer::Consumed);
    EXPECT_EQ(keyMap.mainKey(lbSlot), 0);
    EXPECT_EQ(keyMap.heldKey(lbSlot), 0);
    EXPECT_FALSE(capture.isCapturing());
    EXPECT_FALSE(capturingAtHover);
    EXPECT_EQ(page.labels[lbSlot], "???");
    EXPECT_EQ(page.calls, (std::vector<std::string>{"refresh 3", "hover"}));
    EXPECT_EQ(capture.hoverSlot(), startSlot);
    EXPECT_TRUE(keyMap.isChanged());
}

} // namespace
} // namespace vantrel
