#include "tests/window/PageFixture.h"

#include "pcsetup/LabelledSlots.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace vantrel {
namespace {

using test::PageFixture;
using test::TestCanvas;

constexpr int lbSlot = 3;
constexpr int ltSlot = 2;

// Points on the page, in its pixels.
constexpr PixelPoint onLb{398, 455};
constexpr PixelPoint onLt{398, 501};
constexpr PixelPoint onNothing{600, 300};
constexpr PixelPoint onX360Tab{320, 36};
constexpr PixelPoint onPcTab{100, 36};
constexpr PixelPoint onSave{551, 561};
constexpr PixelPoint onReset{643, 561};
constexpr PixelPoint onExit{737, 561};
constexpr PixelPoint onLoadProfile{72, 516};
constexpr PixelPoint onSaveProfile{206, 516};
constexpr PixelPoint buttonPoints[] = {onSave, onReset, onExit, onLoadProfile, onSaveProfile};
constexpr PixelRect buttonRects[] = {{510, 546, 82, 30},
                                     {602, 546, 82, 30},
                                     {696, 546, 82, 30},
                                     {10, 498, 124, 36},
                                     {144, 498, 124, 36}};
constexpr PixelRect lbRect{348, 442, 100, 26};
constexpr PixelRect qualityBar{284, 108, 18, 128};
constexpr std::uint32_t HIGHLIGHT = 0xFFC8C8C8u;
constexpr int BACKGROUND_ID = 221;

// Key codes as the keyboard hook reports them.
constexpr KeyCode keyA = 0x41;
constexpr KeyCode keyB = 0x42;
constexpr KeyCode shiftLeft = 0xA0;
constexpr KeyCode controlLeft = 0xA2;
constexpr KeyCode backspace = 0x08;

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

// The pixels of a rectangle of a picture, row after row.
std::vector<std::uint32_t> pixelsIn(const SkinImage& image, const PixelRect& rect) {
    std::vector<std::uint32_t> pixels;
    for (int y = rect.top; y < rect.bottom(); ++y) {
        for (int x = rect.left; x < rect.right(); ++x) {
            pixels.push_back(image.pixel(x, y));
        }
    }
    return pixels;
}

PixelPoint corner(const PixelRect& rect, int dx, int dy) {
    return {rect.left + dx, rect.top + dy};
}

class PcSetupPageTest : public PageFixture {
protected:
    CVantrelConfigDlg& page() { return pcPage(); }

    // Points the pointer at a spot of the page; the move it causes is delivered at once.
    void pointAt(PixelPoint at) {
        pcSurface.pointer = at;
        move(page(), at);
    }

    void startCaptureOnLb() {
        move(page(), onLb);
        click(page(), onLb);
        ASSERT_TRUE(page().capture().isCapturing());
    }

    // A key into LB, held with another or alone, capture ended by a second click.
    void defineLb(KeyCode key, KeyCode with = 0) {
        startCaptureOnLb();
        test::HandKeys keys(page().capture());
        if (with != 0) {
            keys.down(with);
        }
        keys.tap(key);
        click(page(), onLb);
        ASSERT_FALSE(page().capture().isCapturing());
    }

    // Ctrl(left) + A into LB.
    void defineLbAsCtrlA() {
        defineLb(keyA, controlLeft);
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

    // The colour LB's label is drawn in, as the texts of a paint record it and its mark shows.
    Colour lbTextColour() {
        const TestCanvas& canvas = paint(page());
        const std::vector<test::DrawnText> drawn = canvas.textsIn(lbRect);
        EXPECT_EQ(drawn.size(), 1u);
        if (drawn.empty()) {
            return {};
        }
        EXPECT_EQ(drawn[0].text, page().labelText(lbSlot));
        EXPECT_EQ(drawn[0].align, ControlAlign::Centre);
        const std::uint32_t mark = canvas.image().pixel(lbRect.left, TestCanvas::markRow(lbRect));
        EXPECT_EQ(mark & 0xFFFFFF, std::uint32_t{drawn[0].colour.red} << 16 |
                                       std::uint32_t{drawn[0].colour.green} << 8 |
                                       drawn[0].colour.blue)
            << "the text lies over the composed layers";
        return drawn[0].colour;
    }

    bool repaintAsked(const PixelRect& rect) const {
        return std::find(pcSurface.areas.begin(), pcSurface.areas.end(), rect) !=
               pcSurface.areas.end();
    }
};

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
    const TestCanvas& canvas = paint(page());
    ASSERT_EQ(canvas.textsIn(controlRect(page().layout(), 1005)).size(), 1u);
    EXPECT_EQ(canvas.textsIn(controlRect(page().layout(), 1005))[0].text, defaultHelp);
}

TEST_F(PcSetupPageTest, EveryLabelAndButtonAnswersOverItsWholeRectangle) {
    struct Label {
        int slot;
        PixelRect rect;
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
        const PixelRect& r = label.rect;
        for (const PixelPoint at : {corner(r, 0, 0), corner(r, r.width - 1, r.height - 1)}) {
            move(page(), onNothing);
            move(page(), at);
            EXPECT_EQ(page().capture().hoverSlot(), label.slot);
        }
        move(page(), corner(r, r.width, 0));
        EXPECT_NE(page().capture().hoverSlot(), label.slot);
    }
    for (int button = 0; button < CVantrelConfigDlg::BUTTON_COUNT; ++button) {
        SCOPED_TRACE(button);
        const PixelRect& r = buttonRects[button];
        for (const PixelPoint at : {corner(r, 0, 0), corner(r, r.width - 1, r.height - 1)}) {
            move(page(), onNothing);
            move(page(), at);
            EXPECT_EQ(page().hoveredButton(), button);
        }
        move(page(), corner(r, r.width - 1, r.height));
        EXPECT_EQ(page().hoveredButton(), -1);
    }
}

TEST_F(PcSetupPageTest, TheHoveredLabelLiesOnTheHighlightBlock) {
    const SkinImage background = resources.picture(BACKGROUND_ID);
    ASSERT_EQ(background.width, 800);
    EXPECT_NE(paint(page()).image().pixel(lbRect.left, lbRect.top), HIGHLIGHT);

    move(page(), onLb);
    EXPECT_TRUE(repaintAsked(lbRect));
    const SkinImage& hovered = paint(page()).image();
    EXPECT_EQ(hovered.pixel(lbRect.left, lbRect.top), HIGHLIGHT);
    EXPECT_EQ(hovered.pixel(lbRect.left + 99, lbRect.top + 25), HIGHLIGHT);
    EXPECT_EQ(hovered.pixel(lbRect.left + 99, lbRect.top + 26),
              background.pixel(lbRect.left + 99, lbRect.top + 26))
        << "the block is cut to the label's 26 rows";

    pcSurface.clear();
    move(page(), onNothing);
    EXPECT_TRUE(repaintAsked(lbRect));
    EXPECT_EQ(paint(page()).image().pixel(lbRect.left, lbRect.top),
              background.pixel(lbRect.left, lbRect.top));
}

TEST_F(PcSetupPageTest, ClickingAHoveredLabelShowsQuestionMarksInRedUntilTheNextClick) {
    move(page(), onLb);
    EXPECT_EQ(lbTextColour(), textColour);

    pcSurface.clear();
    click(page(), onLb);
    EXPECT_TRUE(page().capture().isCapturing());
    EXPECT_EQ(page().labelText(lbSlot), "???");
    EXPECT_EQ(pcSurface.areasNow, std::vector{lbRect}) << "drawn at once";
    EXPECT_EQ(page().helpText(), captureHelp);
    EXPECT_EQ(lbTextColour(), captureTextColour);

    move(page(), onLt);
    EXPECT_EQ(page().capture().hoverSlot(), lbSlot) << "capture stays on its label";

    click(page(), onLb);
    EXPECT_FALSE(page().capture().isCapturing());
    EXPECT_EQ(page().capture().hoverSlot(), lbSlot);
    EXPECT_EQ(page().labelText(lbSlot), "Space");
    EXPECT_EQ(page().helpText(), labelHelp);
    EXPECT_EQ(page().keyMap().currentKeyMap(), DEFAULT_KEY_MAP);
    EXPECT_EQ(lbTextColour(), textColour);
}

struct KeysRow {
    const char* keys;
    std::vector<KeyCode> held;
    KeyCode pressed;
    int mainKey;
    int heldKey;
    const char* label;
};

class CapturedKeys : public PcSetupPageTest, public testing::WithParamInterface<KeysRow> {};

TEST_P(CapturedKeys, SetTheLabelAndTheKeyMap) {
    const KeysRow& row = GetParam();
    startCaptureOnLb();
    test::HandKeys keys(page().capture());
    keys.tap(keyB); // replaced by what follows: the last press wins
    for (const KeyCode key : row.held) {
        keys.down(key);
    }
    keys.down(row.pressed);

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
                    KeysRow{"CtrlLeftHeldThenA", {controlLeft}, keyA, 0x41, 0xA2, "Ctrl(left) + A"},
                    KeysRow{"ShiftLeftAlone", {}, shiftLeft, 0xA0, 0, "Shift(left)"}),
    [](const testing::TestParamInfo<KeysRow>& info) { return std::string(info.param.keys); });

struct PointerRow {
    const char* where;
    PixelPoint at;
    int hoverSlot;
    const std::string& help;
};

class BackspaceRehover : public PcSetupPageTest, public testing::WithParamInterface<PointerRow> {};

TEST_P(BackspaceRehover, ClearsTheSlotAndHoversWhatThePointerIsOn) {
    const PointerRow& row = GetParam();
    pointAt(onLb);
    startCaptureOnLb();
    test::HandKeys keys(page().capture());
    keys.tap(keyA);
    pointAt(row.at); // a movement while capturing does nothing
    ASSERT_EQ(page().capture().hoverSlot(), lbSlot);

    keys.tap(backspace);

    EXPECT_EQ(page().labelText(lbSlot), "???");
    EXPECT_EQ(lbDefinition(), std::make_pair(0, 0));
    EXPECT_FALSE(page().capture().isCapturing());
    EXPECT_EQ(page().capture().hoverSlot(), row.hoverSlot);
    EXPECT_EQ(page().helpText(), row.help);
    EXPECT_EQ(lbTextColour(), textColour);
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
        move(page(), onX360Tab, true);
    }
    release(page(), onX360Tab);

    EXPECT_FALSE(page().capture().isCapturing());
    EXPECT_EQ(page().capture().hoverSlot(), -1);
    EXPECT_EQ(page().labelText(lbSlot), "Space");
    EXPECT_EQ(page().helpText(), defaultHelp);
    EXPECT_TRUE(shows(SetupPage::X360));
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
    const TestCanvas& canvas = paint(page());
    for (const LabelledSlot& entry : LABELLED_SLOTS) {
        const std::string expected{keyName(DEFAULT_KEY_MAP[static_cast<std::size_t>(entry.slot)])};
        EXPECT_EQ(page().labelText(entry.slot), expected) << entry.caption;
        const auto drawn = canvas.textsIn(controlRect(page().layout(), entry.placeHolderId));
        ASSERT_EQ(drawn.size(), 1u) << entry.caption;
        EXPECT_EQ(drawn[0].text, expected) << entry.caption;
    }
}

TEST_F(PcSetupPageTest, ADeviceReadWhileTheXBoxPageIsShownRewritesTheLabels) {
    const std::uint8_t keyBCode[] = {0x42};
    ASSERT_EQ(link.writeBytes(52 + lbSlot, keyBCode), 0u);
    click(page(), onX360Tab);
    ASSERT_TRUE(shows(SetupPage::X360));

    // What the monitor hands over while the PC Setup page is hidden.
    KeyMapBytes block{};
    ASSERT_EQ(link.RdEELong(block), 0u);
    pcSurface.clear();
    page().takeDeviceKeyMap(block);
    EXPECT_EQ(page().labelText(lbSlot), "B");
    EXPECT_EQ(page().labelText(ltSlot), "Shift(left)");
    EXPECT_EQ(pcSurface.areas.size(), LABELLED_SLOT_COUNT) << "every label is drawn again";
    EXPECT_TRUE(repaintAsked(lbRect));
    EXPECT_FALSE(page().keyMap().refreshAllLabels());
    EXPECT_FALSE(page().keyMap().isChanged()) << "the device's map is the baseline";

    click(x360Page(), onPcTab);
    ASSERT_TRUE(shows(SetupPage::Pc));
    EXPECT_EQ(paint(page()).textsIn(lbRect).at(0).text, "B");
}

TEST_F(PcSetupPageTest, AHeldPictureButtonShowsTheBackgroundsPressedLook) {
    const SkinImage background = resources.picture(BACKGROUND_ID);
    ASSERT_EQ(background.width, 800);
    ASSERT_EQ(background.height, 600);
    std::vector<std::vector<std::uint32_t>> drawn;
    for (const PixelRect& rect : buttonRects) {
        drawn.push_back(pixelsIn(paint(page()).image(), rect));
        ASSERT_NE(drawn.back(), pixelsIn(background, rect)) << "the button's picture covers it";
    }
    // Pressing each in turn, never releasing: the one held shows the background, the others
    // their pictures.
    for (int button = 0; button < CVantrelConfigDlg::BUTTON_COUNT; ++button) {
        SCOPED_TRACE(button);
        pcSurface.clear();
        press(page(), buttonPoints[button]);
        EXPECT_EQ(page().pressedButton(), button);
        EXPECT_TRUE(repaintAsked(buttonRects[button]));
        const SkinImage& canvas = paint(page()).image();
        for (int other = 0; other < CVantrelConfigDlg::BUTTON_COUNT; ++other) {
            const PixelRect& rect = buttonRects[other];
            EXPECT_EQ(pixelsIn(canvas, rect),
                      other == button ? pixelsIn(background, rect) : drawn[other])
                << other;
        }
    }
    release(page(), onNothing); // Save As Profile, whose dialog is cancelled
    EXPECT_EQ(page().pressedButton(), -1);
    EXPECT_EQ(pixelsIn(paint(page()).image(), buttonRects[4]), drawn[4]);
    EXPECT_EQ(fileDialogs.saveCalls, 1);
}

TEST_F(PcSetupPageTest, TheQualityNumberShowsTheReadingsText) {
    const PixelRect number = controlRect(page().layout(), 1026);
    EXPECT_EQ(page().quality().text(), "");
    EXPECT_TRUE(paint(page()).textsIn(number).empty()) << "an empty text draws nothing";
    const std::vector<std::uint32_t> gaugeAtZero = pixelsIn(paint(page()).image(), qualityBar);

    page().setQuality(-5, "-05");

    EXPECT_EQ(page().quality().value(), -5);
    EXPECT_EQ(page().quality().text(), "-05");
    EXPECT_EQ(pcSurface.areasNow, std::vector{controlRect(page().layout(), 1065)})
        << "the quality area is drawn at once";
    const TestCanvas& canvas = paint(page());
    EXPECT_NE(pixelsIn(canvas.image(), qualityBar), gaugeAtZero) << "the marker moved";
    ASSERT_EQ(canvas.textsIn(number).size(), 1u);
    EXPECT_EQ(canvas.textsIn(number)[0].text, "-05");
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

    const std::filesystem::path& folder() const { return dir_.path(); }

private:
    test::TempFolder dir_;
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
    pcSurface.clear();
    click(page(), onReset);
    EXPECT_EQ(page().labelText(lbSlot), "Space");
    EXPECT_GE(pcSurface.wholePages, 1) << "the whole page is drawn again";
    EXPECT_EQ(page().keyMap().currentKeyMap(), DEFAULT_KEY_MAP);
    EXPECT_TRUE(page().keyMap().isChanged()) << "against the map before the reset";

    click(page(), onReset);
    click(page(), onSave);

    EXPECT_EQ(messages.texts(), std::vector<std::string>{noChangeText});
    EXPECT_TRUE(takeTrace().empty());
}

TEST_F(PcSetupEndToEnd, APressOnSaveSavesWhereverItIsReleased) {
    struct Release {
        PixelPoint at;
        KeyCode lbKey; // a fresh change for each save
    };
    for (const Release& r : {Release{onNothing, 0x41}, Release{onX360Tab, 0x42}}) {
        SCOPED_TRACE(r.lbKey);
        defineLb(r.lbKey);
        messages.clear();
        press(page(), onSave);
        move(page(), r.at, true);
        release(page(), r.at);
        EXPECT_EQ(messages.texts(), std::vector<std::string>{savedText});
        EXPECT_EQ(takeTrace(), keyMapWrites(page().keyMap().currentKeyMap()));
        EXPECT_EQ(receiver->memory()[52 + lbSlot], r.lbKey);
    }
    EXPECT_TRUE(shows(SetupPage::X360)) << "a release over the XBox 360 tab also switches";
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
    EXPECT_EQ(host.runsEnded, row.ends ? 1 : 0);
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
