#include "tests/app/WindowFixture.h"

#include "pcsetup/LabelledSlots.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace vantrel {
namespace {

using test::WindowFixture;

constexpr int lbSlot = 3;
constexpr int ltSlot = 2;

// Points on the page, in its pixels.
const QPoint onLb{398, 455};
const QPoint onLt{398, 501};
const QPoint onNothing{600, 300};
const QPoint onX360Tab{320, 36};
const QPoint onPcTab{100, 36};
const QPoint onSave{551, 561};
const QPoint onReset{643, 561};
const QPoint onExit{737, 561};
const QPoint onLoadProfile{72, 516};
const QPoint onSaveProfile{206, 516};
const QPoint buttonPoints[] = {onSave, onReset, onExit, onLoadProfile, onSaveProfile};
const QRect buttonRects[] = {{510, 546, 82, 30},
                             {602, 546, 82, 30},
                             {696, 546, 82, 30},
                             {10, 498, 124, 36},
                             {144, 498, 124, 36}};
const QRect lbRect{348, 442, 100, 26};

// A key of a US keyboard as the X server reports it.
struct XKey {
    quint32 keysym;
    quint32 scanCode;
    Qt::Key qtKey;
    Qt::KeyboardModifier modifier;
    quint32 modifierMask;
};

const XKey controlL{0xffe3, 37, Qt::Key_Control, Qt::ControlModifier, 0x4};
const XKey shiftL{0xffe1, 50, Qt::Key_Shift, Qt::ShiftModifier, 0x1};
const XKey keyA{0x61, 38, Qt::Key_A, Qt::NoModifier, 0};
const XKey keyB{0x62, 56, Qt::Key_B, Qt::NoModifier, 0};
const XKey backspace{0xff08, 22, Qt::Key_Backspace, Qt::NoModifier, 0};

// The page's own words, exact.
const std::string defaultHelp = "Put the cursor on a button label which you want to define.";
const std::string labelHelp = "Click on the lable to define the button.";
const std::string captureHelp = "Press a key or two-key combination; then Click or Press ENTER to "
                                "define; ESC to escape without change, BACKSPACE to clear.";
const std::string buttonHelp[] = {
    "Save the current settings to the hardware.", "Restore the factory default settings.",
    "Exit the software.", "Load the settings from file.", "Save the current settings to file."};
const std::string savedText = "The new PC settings have been saved in your Vantrel sucessfully!";
const std::string noChangeText = "No Change has been made!";
const std::string commErrorText =
    "An error occurred during communicate with the device,  \r\nre-plug in the device and "
    "re-start the software, if you still have the same error, please contact our technical "
    "support.";

std::string hexOf(const std::uint8_t* bytes, std::size_t count) {
    std::string text;
    char digits[3];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(digits, sizeof digits, "%02x", bytes[i]);
        text += digits;
    }
    return text;
}

// The trace of WrEELong writing the whole map: four 16-byte blocks in address order.
std::vector<std::string> keyMapWrites(const KeyMapBytes& map) {
    std::vector<std::string> lines;
    for (std::size_t block = 0; block < 4; ++block) {
        lines.push_back("write " + std::to_string(52 + 16 * block) + " 16 " +
                        hexOf(map.data() + 16 * block, 16));
    }
    return lines;
}

class PcSetupPageTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        // Paints reach the canvas only once the window is on the (offscreen) screen.
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override {
        while (!down_.empty()) {
            keyUp(down_.back());
        }
        WindowFixture::TearDown();
    }

    CVantrelConfigDlg& page() { return pcPage(); }

    // A key event as the host delivers it: through the application-wide filter first, with the
    // modifiers of the keys already down.
    void sendKey(QEvent::Type type, const XKey& key) {
        Qt::KeyboardModifiers modifiers;
        quint32 state = 0;
        for (const XKey& held : down_) {
            modifiers |= held.modifier;
            state |= held.modifierMask;
        }
        QKeyEvent event(type, key.qtKey, modifiers, key.scanCode, key.keysym, state);
        QApplication::sendEvent(&pcWidget(), &event);
    }
    void keyDown(const XKey& key) {
        sendKey(QEvent::KeyPress, key);
        down_.push_back(key);
    }
    void keyUp(const XKey& key) {
        sendKey(QEvent::KeyRelease, key);
        std::erase_if(down_, [&](const XKey& held) { return held.keysym == key.keysym; });
    }
    void tap(const XKey& key) {
        keyDown(key);
        keyUp(key);
    }

    // Points the pointer at a spot of the page; the move it causes, if any, is delivered at once.
    void pointAt(QPoint at) {
        QCursor::setPos(pcWidget().mapToGlobal(at));
        QApplication::processEvents();
    }

    void startCaptureOnLb() {
        move(page(), onLb);
        click(page(), onLb);
        ASSERT_TRUE(page().capture().isCapturing());
    }

    // Ctrl(left) + A into LB, capture ended by a second click.
    void defineLbAsCtrlA() {
        startCaptureOnLb();
        keyDown(controlL);
        tap(keyA);
        keyUp(controlL);
        click(page(), onLb);
        ASSERT_EQ(page().labelText(lbSlot), "Ctrl(left) + A");
    }

    std::pair<int, int> lbDefinition() {
        return {page().keyMap().mainKey(lbSlot), page().keyMap().heldKey(lbSlot)};
    }

    std::vector<std::string> allLabels() {
        std::vector<std::string> texts;
        for (const LabelledSlot& entry : LABELLED_SLOTS) {
            texts.push_back(page().labelText(entry.slot));
        }
        return texts;
    }

    QImage canvasAfterRepaint(const QRect& area) {
        pcWidget().repaint();
        return pcWidget().canvas().copy(area);
    }

private:
    std::vector<XKey> down_;
};

// Whether a text of the capture colour lies on the canvas in that area: red text on the grey
// highlight keeps its red and loses green and blue alike.
bool showsRedText(const QImage& area) {
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            const QColor colour = area.pixelColor(x, y);
            if (colour.red() - colour.green() > 60 && colour.green() == colour.blue()) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(PcSetupPageTest, TheHelpLineNamesWhatThePointerIsOn) {
    EXPECT_EQ(page().helpText(), defaultHelp);
    move(page(), onLb);
    EXPECT_EQ(page().capture().hoverSlot(), lbSlot);
    EXPECT_EQ(page().helpText(), labelHelp);

    for (int button = 0; button < CVantrelConfigDlg::BUTTON_COUNT; ++button) {
        SCOPED_TRACE(button);
        move(page(), onLb);
        move(page(), buttonPoints[button]); // straight from the label onto the button
        EXPECT_EQ(page().capture().hoverSlot(), -1);
        EXPECT_EQ(page().hoveredButton(), button);
        EXPECT_EQ(page().helpText(), buttonHelp[button]);
    }

    move(page(), onNothing);
    EXPECT_EQ(page().hoveredButton(), -1);
    EXPECT_EQ(page().helpText(), defaultHelp);
}

TEST_F(PcSetupPageTest, EveryLabelAndButtonAnswersOverItsWholeRectangle) {
    struct Label {
        int slot;
        QRect rect;
    };
    const Label labels[] = {
        {0, {18, 224, 102, 28}},   {1, {18, 178, 102, 28}},   {2, {348, 488, 100, 26}},
        {3, {348, 442, 100, 26}},  {5, {18, 424, 100, 26}},   {6, {348, 396, 102, 28}},
        {7, {18, 86, 102, 28}},    {8, {348, 340, 102, 28}},  {9, {348, 368, 102, 28}},
        {10, {348, 284, 102, 28}}, {11, {348, 312, 102, 28}}, {14, {18, 274, 102, 28}},
        {15, {18, 132, 102, 28}},  {26, {674, 202, 102, 28}}, {27, {674, 256, 102, 28}},
        {28, {674, 92, 102, 28}},  {29, {674, 146, 102, 28}}, {30, {446, 90, 102, 28}},
    };
    for (const Label& label : labels) {
        SCOPED_TRACE(label.slot);
        for (const QPoint corner : {label.rect.topLeft(), label.rect.bottomRight()}) {
            move(page(), onNothing);
            move(page(), corner);
            EXPECT_EQ(page().capture().hoverSlot(), label.slot);
        }
        move(page(), label.rect.topRight() + QPoint(1, 0));
        EXPECT_NE(page().capture().hoverSlot(), label.slot);
    }
    for (int button = 0; button < CVantrelConfigDlg::BUTTON_COUNT; ++button) {
        SCOPED_TRACE(button);
        const QRect& rect = buttonRects[button];
        for (const QPoint corner : {rect.topLeft(), rect.bottomRight()}) {
            move(page(), onNothing);
            move(page(), corner);
            EXPECT_EQ(page().hoveredButton(), button);
        }
        move(page(), rect.bottomRight() + QPoint(0, 1));
        EXPECT_EQ(page().hoveredButton(), -1);
    }
}

TEST_F(PcSetupPageTest, TheHoveredLabelLiesOnTheHighlightBlock) {
    const QImage background =
        QImage(QStringLiteral(":/PNG/221")).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QPoint corner = lbRect.topLeft();
    const QColor highlight(200, 200, 200);
    EXPECT_NE(canvasAfterRepaint(lbRect).pixelColor(0, 0), highlight);

    move(page(), onLb);
    EXPECT_EQ(canvasAfterRepaint(lbRect).pixelColor(0, 0), highlight);
    EXPECT_EQ(pcWidget().canvas().pixelColor(corner + QPoint(99, 25)), highlight);
    EXPECT_EQ(pcWidget().canvas().pixelColor(corner + QPoint(99, 26)),
              background.pixelColor(corner + QPoint(99, 26)))
        << "the block is cut to the label's 26 rows";

    move(page(), onNothing);
    EXPECT_EQ(canvasAfterRepaint(lbRect).pixelColor(0, 0), background.pixelColor(corner));
}

TEST_F(PcSetupPageTest, ClickingAHoveredLabelShowsQuestionMarksInRedUntilTheNextClick) {
    move(page(), onLb);
    EXPECT_FALSE(showsRedText(canvasAfterRepaint(lbRect)));

    click(page(), onLb);
    EXPECT_TRUE(page().capture().isCapturing());
    EXPECT_EQ(page().labelText(lbSlot), "???");
    EXPECT_EQ(page().helpText(), captureHelp);
    EXPECT_TRUE(showsRedText(canvasAfterRepaint(lbRect)));

    move(page(), onLt);
    EXPECT_EQ(page().capture().hoverSlot(), lbSlot) << "capture stays on its label";

    click(page(), onLb);
    EXPECT_FALSE(page().capture().isCapturing());
    EXPECT_EQ(page().capture().hoverSlot(), lbSlot);
    EXPECT_EQ(page().labelText(lbSlot), "Space");
    EXPECT_EQ(page().helpText(), labelHelp);
    EXPECT_EQ(page().keyMap().currentKeyMap(), DEFAULT_KEY_MAP);
    EXPECT_FALSE(showsRedText(canvasAfterRepaint(lbRect)));
}

struct KeysRow {
    const char* keys;
    std::vector<XKey> held;
    XKey pressed;
    int mainKey;
    int heldKey;
    const char* label;
};

class CapturedKeys : public PcSetupPageTest, public testing::WithParamInterface<KeysRow> {};

TEST_P(CapturedKeys, SetTheLabelAndTheKeyMap) {
    const KeysRow& row = GetParam();
    startCaptureOnLb();
    tap(keyB); // replaced by what follows: the last press wins
    for (const XKey& key : row.held) {
        keyDown(key);
    }
    keyDown(row.pressed);

    EXPECT_EQ(page().labelText(lbSlot), row.label);
    EXPECT_EQ(lbDefinition(), std::make_pair(row.mainKey, row.heldKey));
    KeyMapBytes expected = DEFAULT_KEY_MAP;
    expected[lbSlot] = static_cast<std::uint8_t>(row.mainKey);
    expected[32 + lbSlot] = static_cast<std::uint8_t>(row.heldKey);
    EXPECT_EQ(page().keyMap().currentKeyMap(), expected);
    EXPECT_TRUE(page().capture().isCapturing());
}

INSTANTIATE_TEST_SUITE_P(
    PcSetupPage, CapturedKeys,
    testing::Values(KeysRow{"A", {}, keyA, 0x41, 0, "A"},
                    KeysRow{"CtrlLeftHeldThenA", {controlL}, keyA, 0x41, 0xA2, "Ctrl(left) + A"},
                    KeysRow{"ShiftLeftAlone", {}, shiftL, 0xA0, 0, "Shift(left)"}),
    [](const testing::TestParamInfo<KeysRow>& info) { return std::string(info.param.keys); });

struct PointerRow {
    const char* where;
    QPoint at;
    int hoverSlot;
    const std::string& help;
};

class BackspaceRehover : public PcSetupPageTest, public testing::WithParamInterface<PointerRow> {};

TEST_P(BackspaceRehover, ClearsTheSlotAndHoversWhatThePointerIsOn) {
    const PointerRow& row = GetParam();
    pointAt(onLb);
    startCaptureOnLb();
    tap(keyA);
    pointAt(row.at); // a movement while capturing does nothing
    ASSERT_EQ(page().capture().hoverSlot(), lbSlot);

    tap(backspace);

    EXPECT_EQ(page().labelText(lbSlot), "???");
    EXPECT_EQ(lbDefinition(), std::make_pair(0, 0));
    EXPECT_FALSE(page().capture().isCapturing());
    EXPECT_EQ(page().capture().hoverSlot(), row.hoverSlot);
    EXPECT_EQ(page().helpText(), row.help);
    EXPECT_FALSE(showsRedText(canvasAfterRepaint(lbRect)));
}

INSTANTIATE_TEST_SUITE_P(PcSetupPage, BackspaceRehover,
                         testing::Values(PointerRow{"StillOnTheLabel", onLb, lbSlot, labelHelp},
                                         PointerRow{"OnAnotherLabel", onLt, ltSlot, labelHelp},
                                         PointerRow{"OffEveryLabel", onNothing, -1, defaultHelp}),
                         [](const testing::TestParamInfo<PointerRow>& info) {
                             return std::string(info.param.where);
                         });

struct TabRow {
    const char* how;
    bool pressOnTheTab; // else the press that starts the capture is released over the tab
};

class TabDuringCapture : public PcSetupPageTest, public testing::WithParamInterface<TabRow> {};

TEST_P(TabDuringCapture, EndsTheCaptureRestoresTheLabelAndSwitches) {
    const bool pressOnTheTab = GetParam().pressOnTheTab;
    move(page(), onLb);
    if (pressOnTheTab) {
        click(page(), onLb);
    } else {
        press(page(), onLb);
    }
    ASSERT_TRUE(page().capture().isCapturing());
    ASSERT_EQ(page().labelText(lbSlot), "???");
    if (pressOnTheTab) {
        press(page(), onX360Tab);
    } else {
        move(page(), onX360Tab, Qt::LeftButton);
    }
    release(page(), onX360Tab);

    EXPECT_FALSE(page().capture().isCapturing());
    EXPECT_EQ(page().capture().hoverSlot(), -1);
    EXPECT_EQ(page().labelText(lbSlot), "Space");
    EXPECT_EQ(page().helpText(), defaultHelp);
    EXPECT_TRUE(x360Widget().isVisible());
    EXPECT_FALSE(pcWidget().isVisible());
    EXPECT_EQ(page().keyMap().currentKeyMap(), DEFAULT_KEY_MAP);
}

INSTANTIATE_TEST_SUITE_P(PcSetupPage, TabDuringCapture,
                         testing::Values(TabRow{"ClickOnTheTab", true},
                                         TabRow{"PressOnTheLabelReleasedOnTheTab", false}),
                         [](const testing::TestParamInfo<TabRow>& info) {
                             return std::string(info.param.how);
                         });

TEST_F(PcSetupPageTest, SaveWithoutADeviceSaysItIsNotFound) {
    defineLbAsCtrlA();
    click(page(), onSave);
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"Vantrel device not found. \r\nPlug-in your Vantrel "
                                       "Receiver dongle while press and hold the button on it!"});
    EXPECT_TRUE(takeTrace().empty());
    EXPECT_TRUE(page().keyMap().isChanged());
}

TEST_F(PcSetupPageTest, LabelsShowTheDefaultsBeforeAnyDeviceRead) {
    EXPECT_EQ(page().labelText(lbSlot), "Space");
    EXPECT_EQ(page().labelText(ltSlot), "Shift(left)");
    for (const LabelledSlot& entry : LABELLED_SLOTS) {
        EXPECT_EQ(page().labelText(entry.slot),
                  std::string(keyName(DEFAULT_KEY_MAP[static_cast<std::size_t>(entry.slot)])))
            << entry.caption;
    }
}

TEST_F(PcSetupPageTest, ADeviceReadWhileTheXBoxPageIsShownReachesTheLabelsAtTheNextPaint) {
    const std::uint8_t keyBCode[] = {0x42};
    ASSERT_EQ(link.writeBytes(52 + lbSlot, keyBCode), 0u);
    click(page(), onX360Tab);
    ASSERT_TRUE(x360Widget().isVisible());

    // What the monitor does while the PC Setup page is hidden: the hand-over rewrites the labels
    // without drawing.
    KeyMapBytes block{};
    ASSERT_EQ(link.RdEELong(block), 0u);
    page().takeDeviceKeyMap(block);

    click(x360Page(), onPcTab);
    ASSERT_TRUE(pcWidget().isVisible());
    EXPECT_EQ(page().labelText(lbSlot), "B");
    EXPECT_EQ(page().labelText(ltSlot), "Shift(left)");
    EXPECT_FALSE(page().keyMap().refreshAllLabels());
}

TEST_F(PcSetupPageTest, AHeldPictureButtonShowsTheBackgroundsPressedLook) {
    const QImage background =
        QImage(QStringLiteral(":/PNG/221")).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ASSERT_EQ(background.size(), QSize(800, 600));
    std::vector<QImage> drawn;
    for (const QRect& rect : buttonRects) {
        drawn.push_back(canvasAfterRepaint(rect));
        ASSERT_NE(drawn.back(), background.copy(rect)) << "the button's picture covers it";
    }
    // Pressing each in turn, never releasing: the one held shows the background, the others
    // their pictures.
    for (int button = 0; button < CVantrelConfigDlg::BUTTON_COUNT; ++button) {
        SCOPED_TRACE(button);
        press(page(), buttonPoints[button]);
        EXPECT_EQ(page().pressedButton(), button);
        pcWidget().repaint();
        for (int other = 0; other < CVantrelConfigDlg::BUTTON_COUNT; ++other) {
            const QRect& rect = buttonRects[other];
            EXPECT_EQ(pcWidget().canvas().copy(rect),
                      other == button ? background.copy(rect) : drawn[other])
                << other;
        }
    }
    release(page(), onNothing); // Save As Profile, whose dialog is cancelled
    EXPECT_EQ(page().pressedButton(), -1);
    EXPECT_EQ(canvasAfterRepaint(buttonRects[4]), drawn[4]);
    EXPECT_EQ(fileDialogs.saveCalls, 1);
}

TEST_F(PcSetupPageTest, TheQualityNumberShowsTheReadingsText) {
    const QRect bar{284, 108, 18, 128};
    EXPECT_EQ(page().quality().text(), "");
    const QImage gaugeAtZero = canvasAfterRepaint(bar);

    page().setQuality(-5, "-05");

    EXPECT_EQ(page().quality().value(), -5);
    EXPECT_EQ(page().quality().text(), "-05");
    EXPECT_NE(pcWidget().canvas().copy(bar), gaugeAtZero) << "the marker moved";
}

// The page over the simulated receiver, whose key map has been read as a connection does.
class PcSetupEndToEnd : public PcSetupPageTest {
protected:
    void SetUp() override {
        PcSetupPageTest::SetUp();
        connect();
        ASSERT_FALSE(page().keyMap().isChanged());
    }

    KeyMapBytes deviceKeyMap() const {
        const devsim::MemoryImage memory = receiver->memory();
        KeyMapBytes map{};
        std::copy_n(memory.begin() + 52, map.size(), map.begin());
        return map;
    }

    std::filesystem::path folder() const {
        return std::filesystem::path(dir_.path().toStdString());
    }

private:
    QTemporaryDir dir_;
};

TEST_F(PcSetupEndToEnd, SavingADefinedLabelWritesTheKeyMapInFourBlocks) {
    defineLbAsCtrlA();
    state.samplingEnabled = 0;

    click(page(), onSave);

    EXPECT_EQ(takeTrace(), keyMapWrites(page().keyMap().currentKeyMap()));
    const devsim::MemoryImage memory = receiver->memory();
    EXPECT_EQ(memory[55], 0x41);
    EXPECT_EQ(memory[87], 0xA2);
    EXPECT_EQ(deviceKeyMap(), page().keyMap().currentKeyMap());
    EXPECT_EQ(messages.texts(), std::vector<std::string>{savedText});
    EXPECT_EQ(state.samplingEnabled, 1);

    click(page(), onSave);
    EXPECT_EQ(messages.texts().back(), noChangeText) << "the baseline was taken";
    EXPECT_TRUE(takeTrace().empty());
}

TEST_F(PcSetupEndToEnd, ResetAfterACaptureSavesTheDefaultsAndASecondResetLeavesNothingToSave) {
    defineLbAsCtrlA();
    click(page(), onReset);
    EXPECT_EQ(page().labelText(lbSlot), "Space");
    EXPECT_EQ(page().keyMap().currentKeyMap(), DEFAULT_KEY_MAP);
    EXPECT_TRUE(page().keyMap().isChanged()) << "against the map before the reset";

    click(page(), onReset);
    click(page(), onSave);

    EXPECT_EQ(messages.texts(), std::vector<std::string>{noChangeText});
    EXPECT_TRUE(takeTrace().empty());
}

TEST_F(PcSetupEndToEnd, APressOnSaveSavesWhereverItIsReleased) {
    struct Release {
        QPoint at;
        KeyCode lbKey; // a fresh change for each save
    };
    for (const Release& r : {Release{onNothing, 0x41}, Release{onX360Tab, 0x42}}) {
        SCOPED_TRACE(r.lbKey);
        page().keyMap().setDefinition(lbSlot, r.lbKey, 0);
        messages.clear();
        press(page(), onSave);
        move(page(), r.at, Qt::LeftButton);
        release(page(), r.at);
        EXPECT_EQ(messages.texts(), std::vector<std::string>{savedText});
        EXPECT_EQ(takeTrace(), keyMapWrites(page().keyMap().currentKeyMap()));
        EXPECT_EQ(receiver->memory()[52 + lbSlot], r.lbKey);
    }
    EXPECT_TRUE(x360Widget().isVisible()) << "a release over the XBox 360 tab also switches";
}

TEST_F(PcSetupEndToEnd, SaveAsProfileWritesTheKeyMapToAMapFile) {
    defineLbAsCtrlA();
    fileDialogs.saveAnswer = folder() / "keys";

    click(page(), onSaveProfile);

    const std::filesystem::path written = folder() / "keys.map";
    ASSERT_TRUE(std::filesystem::exists(written));
    std::ifstream file(written, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    const KeyMapBytes& map = page().keyMap().currentKeyMap();
    EXPECT_EQ(bytes, std::string(map.begin(), map.end()));
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_FALSE(std::filesystem::exists(folder() / "keys"));
    EXPECT_TRUE(takeTrace().empty()) << "the device is not written";
}

TEST_F(PcSetupEndToEnd, ACorruptedProfileChangesNothingWhileAWholeOneLoads) {
    std::vector<char> profile(DEFAULT_KEY_MAP.begin(), DEFAULT_KEY_MAP.end());
    profile[lbSlot] = 0x41;
    profile[32 + lbSlot] = static_cast<char>(0xA2);
    const auto writeFile = [&](const char* name, std::size_t size) {
        std::ofstream(folder() / name, std::ios::binary)
            .write(profile.data(), static_cast<std::streamsize>(size));
        return folder() / name;
    };
    const std::vector<std::string> labelsBefore = allLabels();
    const KeyMapBytes mapBefore = page().keyMap().currentKeyMap();

    fileDialogs.openAnswer = writeFile("short.map", 63);
    click(page(), onLoadProfile);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Corrupted File!"});
    EXPECT_EQ(allLabels(), labelsBefore);
    EXPECT_EQ(page().keyMap().currentKeyMap(), mapBefore);
    EXPECT_EQ(page().keyMap().baselineKeyMap(), mapBefore);

    fileDialogs.openAnswer = writeFile("whole.map", 64);
    click(page(), onLoadProfile);
    EXPECT_EQ(page().labelText(lbSlot), "Ctrl(left) + A");
    EXPECT_EQ(lbDefinition(), std::make_pair(0x41, 0xA2));
    EXPECT_TRUE(page().keyMap().isChanged());
    EXPECT_EQ(messages.texts().size(), 1u);
}

TEST_F(PcSetupEndToEnd, AFailedWriteSaysSoTwiceAndTheNextSaveTriesAgain) {
    defineLbAsCtrlA();
    const KeyMapBytes deviceBefore = deviceKeyMap();
    receiver->inject({.kind = devsim::FaultKind::Error,
                      .count = 1,
                      .scope = devsim::RequestScope::Writes,
                      .error = 55});

    click(page(), onSave);

    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"Error occurred in WrEELong.", commErrorText}));
    EXPECT_EQ(takeTrace(),
              std::vector<std::string>{keyMapWrites(page().keyMap().currentKeyMap())[0]})
        << "the later blocks are not sent";
    EXPECT_EQ(deviceKeyMap(), deviceBefore);
    EXPECT_TRUE(page().keyMap().isChanged()) << "the baseline was not taken";
    EXPECT_EQ(state.samplingEnabled, 1);

    messages.clear();
    click(page(), onSave);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{savedText});
    EXPECT_EQ(takeTrace(), keyMapWrites(page().keyMap().currentKeyMap()));
    EXPECT_EQ(deviceKeyMap(), page().keyMap().currentKeyMap());
}

struct ExitRow {
    const char* answerName;
    MessageAnswer answer;
    bool saves;
    bool ends;
};

class ExitWithAChange : public PcSetupEndToEnd, public testing::WithParamInterface<ExitRow> {};

TEST_P(ExitWithAChange, AsksAndDoesWhatTheAnswerSays) {
    const ExitRow& row = GetParam();
    defineLbAsCtrlA();
    const KeyMapBytes deviceBefore = deviceKeyMap();
    messages.scriptAnswer(row.answer);

    click(page(), onExit);

    std::vector<std::string> expected{"Save the new settings into Vantrel?"};
    if (row.saves) {
        expected.push_back(savedText);
    }
    EXPECT_EQ(messages.texts(), expected);
    EXPECT_EQ(deviceKeyMap(), row.saves ? page().keyMap().currentKeyMap() : deviceBefore);
    EXPECT_EQ(takeTrace().size(), row.saves ? 4u : 0u);
    EXPECT_EQ(window->isVisible(), !row.ends);
}

INSTANTIATE_TEST_SUITE_P(PcSetupPage, ExitWithAChange,
                         testing::Values(ExitRow{"Yes", MessageAnswer::Yes, true, true},
                                         ExitRow{"No", MessageAnswer::No, false, true},
                                         ExitRow{"Cancel", MessageAnswer::Cancel, false, false}),
                         [](const testing::TestParamInfo<ExitRow>& info) {
                             return std::string(info.param.answerName);
                         });

} // namespace
} // namespace vantrel
