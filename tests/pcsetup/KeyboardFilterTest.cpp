#include "pcsetup/KeyboardFilter.h"

#include "RecordingCapturePage.h"

#include <QApplication>
#include <QApplicationStateChangeEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <ostream>
#include <string>
#include <vector>

namespace vantrel {
namespace {

constexpr int lbSlot = 3;

// A key of a US keyboard as the X server reports it: keysym, evdev key code, X modifier mask.
struct XKey {
    const char* name;
    quint32 keysym;
    quint32 scanCode;
    Qt::Key qtKey;
    Qt::KeyboardModifier modifier;
    quint32 modifierMask;
};

const XKey controlL{"Control_L", 0xffe3, 37, Qt::Key_Control, Qt::ControlModifier, 0x4};
const XKey controlR{"Control_R", 0xffe4, 105, Qt::Key_Control, Qt::ControlModifier, 0x4};
const XKey shiftL{"Shift_L", 0xffe1, 50, Qt::Key_Shift, Qt::ShiftModifier, 0x1};
const XKey shiftR{"Shift_R", 0xffe2, 62, Qt::Key_Shift, Qt::ShiftModifier, 0x1};
const XKey altL{"Alt_L", 0xffe9, 64, Qt::Key_Alt, Qt::AltModifier, 0x8};
const XKey superL{"Super_L", 0xffeb, 133, Qt::Key_Super_L, Qt::MetaModifier, 0x40};
const XKey superR{"Super_R", 0xffec, 134, Qt::Key_Super_R, Qt::MetaModifier, 0x40};
const XKey keyA{"a", 0x61, 38, Qt::Key_A, Qt::NoModifier, 0};
const XKey keyB{"b", 0x62, 56, Qt::Key_B, Qt::NoModifier, 0};
const XKey keyX{"x", 0x78, 53, Qt::Key_X, Qt::NoModifier, 0};
const XKey enter{"Return", 0xff0d, 36, Qt::Key_Return, Qt::NoModifier, 0};
const XKey esc{"Escape", 0xff1b, 9, Qt::Key_Escape, Qt::NoModifier, 0};
const XKey backspace{"BackSpace", 0xff08, 22, Qt::Key_Backspace, Qt::NoModifier, 0};
// The keypad's 1 with Num Lock on, and the same key once Num Lock went off.
const XKey keypad1{"KP_1", 0xffb1, 87, Qt::Key_1, Qt::KeypadModifier, 0x10};
const XKey keypadEnd{"KP_End", 0xff9c, 87, Qt::Key_End, Qt::KeypadModifier, 0};

// Counts the key events that get through to it.
class KeyTarget : public QWidget {
public:
    int keyPresses = 0;
    int keyReleases = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        ++keyPresses;
        event->accept();
    }
    void keyReleaseEvent(QKeyEvent* event) override {
        ++keyReleases;
        event->accept();
    }
};

class KeyboardFilterTest : public testing::Test {
protected:
    KeyMap keyMap;
    test::RecordingCapturePage page{keyMap};
    KeyCapture capture{keyMap, page};
    KeyboardFilter filter{capture};
    KeyTarget target;
    std::vector<XKey> down;

    void SetUp() override { filter.install(); }

    // Sends the event to the target widget as the X server would report the key, with the
    // modifiers of the keys already down.
    void sendKey(QEvent::Type type, const XKey& key, bool autoRepeat = false,
                 quint64 timestamp = 0) {
        Qt::KeyboardModifiers modifiers;
        quint32 state = 0;
        for (const XKey& held : down) {
            modifiers |= held.modifier;
            state |= held.modifierMask;
        }
        QKeyEvent event(type, key.qtKey, modifiers, key.scanCode, key.keysym, state, QString(),
                        autoRepeat);
        event.setTimestamp(timestamp);
        QApplication::sendEvent(&target, &event);
    }
    // True when the press got through to the target.
    bool keyDown(const XKey& key) {
        const int pressesBefore = target.keyPresses;
        sendKey(QEvent::KeyPress, key);
        down.push_back(key);
        return target.keyPresses > pressesBefore;
    }
    void keyUp(const XKey& key) {
        sendKey(QEvent::KeyRelease, key);
        std::erase_if(down, [&](const XKey& held) { return held.keysym == key.keysym; });
    }
    void mouseButtons(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(5, 5), QPointF(5, 5), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(&target, &event);
    }
    void startCapture() {
        capture.setHoverSlot(lbSlot);
        capture.beginCapture();
    }
    std::pair<int, int> storedLb() const {
        return {keyMap.mainKey(lbSlot), keyMap.heldKey(lbSlot)};
    }
};

struct CaptureRow {
    const char* keys;
    Qt::MouseButtons mouse;
    std::vector<XKey> held;
    XKey pressed;
    int mainKey;
    int heldKey;
    const char* label;
};

// GoogleTest looks the printer up by this name.
void PrintTo(const CaptureRow& row, std::ostream* out) { // NOLINT(readability-identifier-naming)
    *out << row.keys;
}

class CaptureTable : public KeyboardFilterTest, public testing::WithParamInterface<CaptureRow> {};

TEST_P(CaptureTable, StoresThePressAndTheHeldKey) {
    const CaptureRow& row = GetParam();
    startCapture();
    if (row.mouse != Qt::NoButton) {
        mouseButtons(QEvent::MouseButtonPress, Qt::LeftButton, row.mouse);
    }
    for (const XKey& key : row.held) {
        EXPECT_FALSE(keyDown(key)) << key.name;
    }
    EXPECT_FALSE(keyDown(row.pressed));

    EXPECT_EQ(storedLb(), std::make_pair(row.mainKey, row.heldKey));
    EXPECT_EQ(page.labels[lbSlot], row.label);
}

INSTANTIATE_TEST_SUITE_P(
    KeyboardFilter, CaptureTable,
    testing::Values(
        CaptureRow{"A alone", Qt::NoButton, {}, keyA, 0x41, 0, "A"},
        CaptureRow{"left Shift alone", Qt::NoButton, {}, shiftL, 0xA0, 0, "Shift(left)"},
        CaptureRow{"right Ctrl alone", Qt::NoButton, {}, controlR, 0xA3, 0, "Ctrl(right)"},
        CaptureRow{"left Ctrl held, A pressed",
                   Qt::NoButton,
                   {controlL},
                   keyA,
                   0x41,
                   0xA2,
                   "Ctrl(left) + A"},
        CaptureRow{"B held, A pressed", Qt::NoButton, {keyB}, keyA, 0x41, 0x42, "B + A"},
        CaptureRow{"left Ctrl held, left Shift pressed",
                   Qt::NoButton,
                   {controlL},
                   shiftL,
                   0x10,
                   0xA2,
                   "Ctrl(left) + Shift"},
        CaptureRow{"left Shift held, left Ctrl pressed",
                   Qt::NoButton,
                   {shiftL},
                   controlL,
                   0xA2,
                   0,
                   "Ctrl(left)"},
        CaptureRow{"left Alt held, left Ctrl pressed",
                   Qt::NoButton,
                   {altL},
                   controlL,
                   0x11,
                   0xA4,
                   "Alt(left) + Ctrl"},
        CaptureRow{"left Ctrl held, left Alt pressed",
                   Qt::NoButton,
                   {controlL},
                   altL,
                   0xA4,
                   0,
                   "Alt(left)"},
        CaptureRow{
            "A held, left Shift pressed", Qt::NoButton, {keyA}, shiftL, 0xA0, 0, "Shift(left)"},
        CaptureRow{"left Win alone", Qt::NoButton, {}, superL, 0x5B, 0, "Win(left)"},
        CaptureRow{
            "left Win held, A pressed", Qt::NoButton, {superL}, keyA, 0x41, 0x5B, "Win(left) + A"},
        CaptureRow{"right Win alone", Qt::NoButton, {}, superR, 0x5C, 0, "Win(right)"},
        CaptureRow{
            "left mouse button held, A pressed", Qt::LeftButton, {}, keyA, 0x41, 0x01, "mRl + A"},
        CaptureRow{"right Shift held, left mouse button held, A pressed",
                   Qt::LeftButton,
                   {shiftR},
                   keyA,
                   0x41,
                   0xA1,
                   "Shift(right) + A"},
        CaptureRow{"Enter alone (during capture)", Qt::NoButton, {}, enter, 0x0D, 0, "Enter"},
        CaptureRow{"Esc alone (during capture)", Qt::NoButton, {}, esc, 0x1B, 0, "Esc"}));

TEST_F(KeyboardFilterTest, WithNoLabelHoveredEnterAndEscCloseNoDialogAndOtherKeysPassOn) {
    QDialog dialog;
    QPushButton okButton("OK", &dialog);
    okButton.setDefault(true);
    QObject::connect(&okButton, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.show();
    for (const XKey& key : {enter, esc}) {
        QKeyEvent event(QEvent::KeyPress, key.qtKey, Qt::NoModifier, key.scanCode, key.keysym, 0);
        QApplication::sendEvent(&dialog, &event);
        EXPECT_TRUE(dialog.isVisible()) << key.name;
    }
    EXPECT_TRUE(keyDown(keyA));
    EXPECT_EQ(keyMap.currentKeyMap(), DEFAULT_KEY_MAP);
}

TEST(ScopedKeyboardFilter, KeysOfOtherWindowsReachThemUntouchedButCountAsHeld) {
    KeyMap keyMap;
    test::RecordingCapturePage page{keyMap};
    KeyCapture capture{keyMap, page};
    KeyTarget pageWindow;
    KeyTarget messageBox;
    KeyboardFilter filter{capture, &pageWindow};
    filter.install();
    capture.setHoverSlot(lbSlot);
    capture.beginCapture();
    const auto send = [](QWidget& to, QEvent::Type type, const XKey& key, quint32 state) {
        QKeyEvent event(type, key.qtKey, Qt::NoModifier, key.scanCode, key.keysym, state);
        QApplication::sendEvent(&to, &event);
    };

    send(messageBox, QEvent::KeyPress, enter, 0);
    EXPECT_EQ(messageBox.keyPresses, 1) << "a message box's Enter is its own";
    send(messageBox, QEvent::KeyRelease, enter, 0);
    send(messageBox, QEvent::KeyPress, controlL, 0);
    send(pageWindow, QEvent::KeyPress, keyA, 0x4);
    EXPECT_EQ(pageWindow.keyPresses, 0) << "the page's own keys are still captured";
    EXPECT_EQ(page.labels[lbSlot], "Ctrl(left) + A");
    EXPECT_EQ(keyMap.mainKey(lbSlot), 0x41);
}

// A message box that Enter closes by its default button, counting the key presses it gets.
class MessageBox : public QDialog {
public:
    int keyPresses = 0;

    MessageBox() {
        okButton_.setDefault(true);
        QObject::connect(&okButton_, &QPushButton::clicked, this, &QDialog::accept);
    }
    void open() {
        show();
        activateWindow();
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        ++keyPresses;
        QDialog::keyPressEvent(event);
    }

private:
    QPushButton okButton_{"OK", this};
};

void sendKeyTo(QWidget& to, QEvent::Type type, const XKey& key, quint64 timestamp,
               bool autoRepeat = false) {
    QKeyEvent event(type, key.qtKey, Qt::NoModifier, key.scanCode, key.keysym, 0, QString(),
                    autoRepeat);
    event.setTimestamp(timestamp);
    QApplication::sendEvent(&to, &event);
}

// The X server repeats a key as a release and a press at one time. Qt flags the pair only when it
// sees both at once; otherwise the pair is told by its time stamp.
struct Repeat {
    bool flagged;
    quint64 timestamp;
};
constexpr std::array<Repeat, 2> repeats{{{true, 1040}, {false, 1080}}};

// The server repeats a key it counts as down into whichever window has the focus: a key whose
// release went astray (to the box that its press had just closed) keeps repeating into every box
// that opens after it.
TEST(ScopedKeyboardFilter, AKeyWhoseReleaseWasMissedAnswersNoLaterBox) {
    KeyMap keyMap;
    test::RecordingCapturePage page{keyMap};
    KeyCapture capture{keyMap, page};
    KeyTarget pageWindow;
    KeyboardFilter filter{capture, &pageWindow};
    filter.install();

    MessageBox first;
    first.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&first));
    sendKeyTo(first, QEvent::KeyPress, enter, 1000);
    ASSERT_FALSE(first.isVisible()) << "Enter answers a box";

    MessageBox second;
    second.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&second));
    for (const Repeat& repeat : repeats) {
        sendKeyTo(second, QEvent::KeyRelease, enter, repeat.timestamp, repeat.flagged);
        sendKeyTo(second, QEvent::KeyPress, enter, repeat.timestamp, repeat.flagged);
        EXPECT_TRUE(second.isVisible()) << "flagged " << repeat.flagged;
    }
    EXPECT_EQ(second.keyPresses, 0);

    // The box's own keys repeat as ever, and a new Enter answers it.
    sendKeyTo(second, QEvent::KeyPress, keyX, 2000);
    for (const Repeat& repeat : repeats) {
        sendKeyTo(second, QEvent::KeyRelease, keyX, 2000 + repeat.timestamp, repeat.flagged);
        sendKeyTo(second, QEvent::KeyPress, keyX, 2000 + repeat.timestamp, repeat.flagged);
    }
    EXPECT_EQ(second.keyPresses, 3);
    sendKeyTo(second, QEvent::KeyPress, enter, 4000);
    EXPECT_FALSE(second.isVisible());
}

TEST_F(KeyboardFilterTest, AKeyDownWhenAnotherWindowTookTheFocusIsNotHeldOnceTheFocusReturns) {
    target.show();
    target.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&target));
    startCapture();
    keyDown(controlL);

    MessageBox box;
    box.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    box.hide();
    target.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&target));
    keyDown(keyA);
    EXPECT_EQ(page.labels[lbSlot], "A");
}

TEST_F(KeyboardFilterTest, HoveringWithoutCaptureKeepsKeysFromTheWindows) {
    capture.setHoverSlot(lbSlot);
    EXPECT_FALSE(keyDown(keyA));
    EXPECT_EQ(keyMap.currentKeyMap(), DEFAULT_KEY_MAP);
}

TEST_F(KeyboardFilterTest, AutoRepeatsAndReleasesAreConsumedWithoutEffect) {
    startCapture();
    keyDown(keyA);
    const auto callsAfterPress = page.calls.size();
    sendKey(QEvent::KeyRelease, keyA, true);
    sendKey(QEvent::KeyPress, keyA, true);
    keyUp(keyA);
    EXPECT_EQ(page.calls.size(), callsAfterPress);
    EXPECT_EQ(storedLb(), std::make_pair(0x41, 0));

    // An auto-repeated modifier stays held, however Qt reported the repeat.
    keyDown(controlL);
    const auto callsAfterModifier = page.calls.size();
    for (const Repeat& repeat : repeats) {
        sendKey(QEvent::KeyRelease, controlL, repeat.flagged, repeat.timestamp);
        sendKey(QEvent::KeyPress, controlL, repeat.flagged, repeat.timestamp);
    }
    EXPECT_EQ(page.calls.size(), callsAfterModifier);
    keyDown(keyB);
    EXPECT_EQ(page.labels[lbSlot], "Ctrl(left) + B");
    EXPECT_EQ(target.keyPresses, 0);
    EXPECT_EQ(target.keyReleases, 0);
}

TEST_F(KeyboardFilterTest, AReleasedKeyOrMouseButtonIsNoLongerHeld) {
    startCapture();
    keyDown(controlL);
    keyUp(controlL);
    mouseButtons(QEvent::MouseButtonPress, Qt::MiddleButton, Qt::MiddleButton);
    mouseButtons(QEvent::MouseButtonRelease, Qt::MiddleButton, Qt::NoButton);
    keyDown(keyA);
    EXPECT_EQ(page.labels[lbSlot], "A");
}

TEST_F(KeyboardFilterTest, AKeyReleasedUnderAnotherSymbolIsNoLongerHeld) {
    startCapture();
    keyDown(keypad1);
    keyUp(keypadEnd);
    keyDown(keyA);
    EXPECT_EQ(page.labels[lbSlot], "A");
}

TEST_F(KeyboardFilterTest, LosingTheFocusReleasesEveryKey) {
    startCapture();
    keyDown(controlL);
    mouseButtons(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton);
    EXPECT_TRUE(filter.heldKeys().isHeld(0x02));
    QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
    QApplication::sendEvent(qApp, &inactive);
    keyDown(keyA);
    EXPECT_EQ(page.labels[lbSlot], "A");
}

TEST_F(KeyboardFilterTest, BackspaceDuringCaptureClearsTheSlot) {
    startCapture();
    EXPECT_FALSE(keyDown(backspace));
    EXPECT_EQ(storedLb(), std::make_pair(0, 0));
    EXPECT_FALSE(capture.isCapturing());
    EXPECT_EQ(page.labels[lbSlot], "???");
}

TEST_F(KeyboardFilterTest, AShortcutActsOnAPassedOnKeyButNeverStealsACapturedOne) {
    target.show();
    target.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&target));
    int activations = 0;
    QShortcut shortcutA(QKeySequence(Qt::Key_A), &target, [&] { ++activations; });
    QShortcut shortcutX(QKeySequence(Qt::Key_X), &target, [&] { ++activations; });

    keyDown(keyX);
    keyUp(keyX);
    EXPECT_EQ(activations, 1);

    startCapture();
    keyDown(keyA);
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(page.labels[lbSlot], "A");
}

TEST_F(KeyboardFilterTest, ARemovedFilterSeesNoKeys) {
    startCapture();
    filter.remove();
    EXPECT_TRUE(keyDown(keyA));
    EXPECT_EQ(keyMap.currentKeyMap(), DEFAULT_KEY_MAP);
}

} // namespace
} // namespace vantrel
