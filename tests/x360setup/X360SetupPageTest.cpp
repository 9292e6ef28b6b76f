#include "tests/window/PageFixture.h"

#include "x360setup/CKeydefDlg.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <span>

namespace vantrel {
namespace {

using test::PageFixture;
using test::TestCanvas;

constexpr PixelRect square(int left, int top) {
    return {left, top, 30, 30};
}

// Where the layout puts the device's keys and the buttons' home squares.
constexpr KeyRects keySquares = {
    square(340, 496), square(64, 432),  square(64, 484),  square(340, 454), square(412, 456),
    square(138, 340), square(138, 296), square(62, 254),  square(62, 146),  square(316, 270),
    square(378, 270), square(252, 270), square(378, 104), square(62, 102)};
constexpr IconRects homeSquares = {
    square(584, 320), square(506, 320), square(546, 320), square(506, 388), square(546, 418),
    square(546, 360), square(586, 388), square(648, 320), square(686, 320), square(686, 418),
    square(726, 388), square(648, 388), square(686, 360), square(724, 320)};

constexpr PixelRect highLamp{508, 116, 22, 24};
constexpr PixelRect midLamp{508, 172, 22, 24};
constexpr PixelRect step3Lamp{602, 192, 20, 16};
constexpr PixelRect step8Lamp{602, 116, 20, 16};

using test::centre;

constexpr PixelPoint resetButton{538, 500};
constexpr PixelPoint reloadButton{630, 498};
constexpr PixelPoint defaultButton{720, 498};
constexpr PixelPoint saveButton{642, 560};
constexpr PixelPoint exitButton{734, 560};
constexpr PixelPoint pcTab{100, 36};
// On the picture but on no key, lamp, icon, command or tab.
constexpr PixelPoint emptyPicture{450, 380};

PixelPoint offset(PixelPoint at, int dx, int dy) {
    return {at.x + dx, at.y + dy};
}

// The page's texts as the user reads them, misspellings included, typed out here so that a
// changed word in the program is caught.
const std::string dragHelp = "Click and Drag a button to be defined to a key on the device.";
const std::string dropHelp = "Drop the selected button to a key position on the device.";
const std::string commandHelp[] = {
    "Clear all the current settings.",
    "Reload the settings from device.",
    "Restore the factory default settings.",
    "Save the current settings to the hardware.",
    "Exit the software.",
};
const std::string deviceMissingText = "Vantrel doesn't exist, please plug it in your USB port!";
const std::string deviceNotFoundText =
    "Vantrel device not found. \r\nPlug-in your Vantrel Receiver "
    "dongle while press and hold the button on it!";
const std::string incompleteText = "Button mapping hasn't Completed!";
const std::string savedText = "The new X360 settings have been saved in your Vantrel sucessfully!";
const std::string commErrorText =
    "An error occurred during communicate with the device,  \r\nre-plug in the device and "
    "re-start the software, if you still have the same error, please contact our technical "
    "support.";
const std::string exitQuestion = "Save the new settings into Vantrel?";
const std::string pictureMissingText = "Error at Finding PNG!";

// The default map with some keys changed: {key, byte}.
ButtonMapBytes mapWith(std::initializer_list<std::pair<int, std::uint8_t>> changes) {
    ButtonMapBytes map = defaultButtonMap();
    for (const auto& [key, byte] : changes) {
        map[static_cast<std::size_t>(key)] = byte;
    }
    return map;
}

// The page's picture table by index, as resource ids: key highlights 0 to 13, the background,
// the icons of codes 0 to 13, the lamps of levels Low to High and of steps 0 to 8, the raised
// looks of the five commands.
constexpr std::array<int, 46> pictureIds = {
    180,  178,  179,  191, 189, 188, 190, 181, 182, 184, 185, 186, 187, 183, //
    192,                                                                     //
    195,  193,  194,  199, 200, 201, 202, 196, 197, 205, 204, 206, 203, 198, //
    209,  208,  207,                                                         //
    1100, 1099, 1098, 210, 211, 212, 213, 214, 215,                          //
    218,  216,  217,  220, 219,                                              //
};
constexpr std::size_t BACKGROUND = 14;
constexpr std::size_t ICONS = 15;
constexpr std::size_t SENSITIVITY_LAMPS = 29;
constexpr std::size_t STEP_LAMPS = 32;
constexpr std::size_t RAISED_COMMANDS = 41;
constexpr int PC_BACKGROUND_ID = 221;
constexpr int COMMAND_COUNT = 5;

using Area = std::vector<PixelRect>;

bool inArea(const Area& area, PixelPoint at) {
    return std::any_of(area.begin(), area.end(),
                       [&](const PixelRect& rect) { return rect.contains(at.x, at.y); });
}

Area operator+(Area a, const Area& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Where the pages draw text and the gauge: nothing there comes from a picture alone.
const Area textsAndGauge = {{198, 542, 380, 56}, {742, 174, 42, 24}, {710, 120, 18, 128}};

std::uint32_t alphaOf(std::uint32_t pixel) {
    return pixel >> 24;
}

// The first point where the picture shows an opaque pixel that no rival of its layer gives
// (each rival is clear or opaque in another colour there) and that the background differs
// from, outside what is drawn after it.
std::optional<PixelPoint> telltale(const SkinImage& picture, const std::vector<SkinImage>& rivals,
                                   const SkinImage& background,
                                   const std::vector<SkinImage>& drawnAfter,
                                   const Area& coveredAfter) {
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t pixel = picture.pixel(x, y);
            if (alphaOf(pixel) != 255 ||
                (!background.isNull() && background.pixel(x, y) == pixel)) {
                continue;
            }
            const auto givesIt = [&](const SkinImage& rival) {
                const std::uint32_t other = rival.pixel(x, y);
                return other == pixel || (alphaOf(other) != 0 && alphaOf(other) != 255);
            };
            const auto showsThere = [&](const SkinImage& later) {
                return alphaOf(later.pixel(x, y)) != 0;
            };
            if (std::none_of(rivals.begin(), rivals.end(), givesIt) &&
                std::none_of(drawnAfter.begin(), drawnAfter.end(), showsThere) &&
                !inArea(coveredAfter, {x, y})) {
                return PixelPoint{x, y};
            }
        }
    }
    return std::nullopt;
}

// Every request's trace line, with whether sampling was enabled when it reached the receiver.
class SamplingTrace : public devsim::TraceSink {
public:
    SamplingTrace(std::shared_ptr<devsim::TraceSink> lines, const MonitorState& state)
        : lines_(std::move(lines)), state_(state) {}
    void line(std::string_view text) override {
        sampling.push_back(state_.samplingEnabled);
        lines_->line(text);
    }
    std::vector<std::int32_t> sampling;

private:
    std::shared_ptr<devsim::TraceSink> lines_;
    const MonitorState& state_;
};

class X360SetupPageTest : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        receiver->traceTo(sampling);
        window->switchTo(SetupPage::X360);
    }

    CKeydefDlg& page() { return x360Page(); }
    const ButtonMapBytes& map() { return page().settings().buttonMap; }
    const IconRects& icons() { return page().dragDrop().iconRect(); }
    std::string help() { return page().helpText(); }

    // Press, moves with the button held, release.
    void drag(PixelPoint from, std::initializer_list<PixelPoint> over, PixelPoint to) {
        press(page(), from);
        for (const PixelPoint& point : over) {
            move(page(), point, true);
        }
        release(page(), to);
    }
    void dragKeyToKey(int fromKey, int toKey) {
        drag(centre(keySquares[fromKey]), {centre(keySquares[toKey])}, centre(keySquares[toKey]));
    }

    // Two drags, since a drop never swaps: icon 0 onto key 1, then icon 1 from home onto key 0.
    void swapKeys0And1() {
        dragKeyToKey(0, 1);
        drag(centre(homeSquares[1]), {centre(keySquares[0])}, centre(keySquares[0]));
    }

    // Each code that a key holds has its icon on that key's square.
    void expectIconsOnTheirKeys() {
        for (std::size_t key = 0; key < X360_KEY_COUNT; ++key) {
            if (isButtonCode(map()[key])) {
                EXPECT_EQ(icons()[map()[key]], keySquares[key]) << "key " << key;
            }
        }
    }

    // The whole page composed as a paint would, for reading its pixels.
    const SkinImage& composed() { return paint(page()).image(); }

    // The table's pictures, each read once, apart from the page.
    const SkinImage& table(std::size_t index) {
        if (tablePictures_[index].isNull()) {
            tablePictures_[index] = resources.picture(pictureIds[index]);
        }
        return tablePictures_[index];
    }
    std::vector<SkinImage> tableRange(std::size_t first, std::size_t count,
                                      std::optional<std::size_t> except = std::nullopt) {
        std::vector<SkinImage> pictures;
        for (std::size_t index = first; index < first + count; ++index) {
            if (index != except) {
                pictures.push_back(table(index));
            }
        }
        return pictures;
    }
    Area iconsNow() { return {icons().begin(), icons().end()}; }

    // A 28 by 28 icon as it looks stretched into its 30 by 30 square, on nothing.
    SkinImage squareIcon(int id) {
        TestCanvas square(30, 30);
        std::fill_n(square.bits(), 30 * 30, 0u);
        square.drawPicture(resources.picture(id), {0, 0, 30, 30});
        return square.image();
    }

    std::shared_ptr<SamplingTrace> sampling = std::make_shared<SamplingTrace>(trace, state);

private:
    std::array<SkinImage, pictureIds.size()> tablePictures_;
};

// Each entry of the picture table shows where the page draws it: a pixel that only that picture
// gives, composed on the page in a state that draws it, equals the resource's own pixel.
TEST_F(X360SetupPageTest, EveryPictureOfTheTableShowsInItsLayer) {
    const SkinImage background = table(BACKGROUND);
    const auto commandFaces = tableRange(RAISED_COMMANDS, COMMAND_COUNT);
    const PixelPoint commandAt[] = {resetButton, reloadButton, defaultButton, saveButton,
                                    exitButton};
    const auto lampsAndFaces = [&](int level, int step) {
        std::vector<SkinImage> later = commandFaces;
        later.push_back(table(SENSITIVITY_LAMPS + static_cast<std::size_t>(level)));
        later.push_back(table(STEP_LAMPS + static_cast<std::size_t>(step)));
        return later;
    };
    const int midLevel = 1;
    const auto expectShows = [&](const char* what, std::size_t index, const SkinImage& picture,
                                 const std::vector<SkinImage>& rivals, const SkinImage& ground,
                                 const std::vector<SkinImage>& drawnAfter, const Area& covered) {
        SCOPED_TRACE(std::string(what) + ", table entry " + std::to_string(index) + ", PNG " +
                     std::to_string(pictureIds[index]));
        const auto at = telltale(picture, rivals, ground, drawnAfter, covered);
        ASSERT_TRUE(at) << "no pixel tells this picture from the others";
        EXPECT_EQ(composed().pixel(at->x, at->y), picture.pixel(at->x, at->y))
            << "at " << at->x << "," << at->y;
    };

    expectShows("the background", BACKGROUND, background, {resources.picture(PC_BACKGROUND_ID)}, {},
                lampsAndFaces(midLevel, DEFAULT_FIRING_STEP), iconsNow() + textsAndGauge);

    for (std::size_t key = 0; key < X360_KEY_COUNT; ++key) {
        press(page(), centre(homeSquares[0]));
        move(page(), centre(keySquares[key]), true);
        ASSERT_EQ(page().dragDrop().hoverKey(), static_cast<int>(key));
        expectShows("a key highlight", key, table(key), tableRange(0, X360_KEY_COUNT, key),
                    background, lampsAndFaces(midLevel, DEFAULT_FIRING_STEP),
                    iconsNow() + textsAndGauge);
        move(page(), emptyPicture, true);
        release(page(), emptyPicture);
    }

    const SkinImage withIconsAtHome = composed();
    for (std::size_t code = 0; code < X360_BUTTON_COUNT; ++code) {
        std::vector<SkinImage> rivals;
        for (std::size_t other = 0; other < X360_BUTTON_COUNT; ++other) {
            if (other != code) {
                rivals.push_back(squareIcon(pictureIds[ICONS + other]));
            }
        }
        const SkinImage icon = squareIcon(pictureIds[ICONS + code]);
        const auto at = telltale(icon, rivals, {}, {}, {});
        SCOPED_TRACE("the icon of code " + std::to_string(code));
        ASSERT_TRUE(at);
        const PixelRect& home = homeSquares[code];
        EXPECT_EQ(withIconsAtHome.pixel(home.left + at->x, home.top + at->y),
                  icon.pixel(at->x, at->y));
    }

    for (int level = 0; level < SENSITIVITY_LEVELS; ++level) {
        page().settings().setSensitivity(static_cast<std::int8_t>(SENSITIVITY_LOW + level));
        const std::size_t index = SENSITIVITY_LAMPS + static_cast<std::size_t>(level);
        std::vector<SkinImage> later = commandFaces;
        later.push_back(table(STEP_LAMPS + DEFAULT_FIRING_STEP));
        expectShows("a sensitivity lamp", index, table(index),
                    tableRange(SENSITIVITY_LAMPS, SENSITIVITY_LEVELS, index), background, later,
                    textsAndGauge);
    }

    for (int step = 0; step < FIRING_STEPS; ++step) {
        page().settings().setFiringStep(step);
        const std::size_t index = STEP_LAMPS + static_cast<std::size_t>(step);
        expectShows("a firing speed lamp", index, table(index),
                    tableRange(STEP_LAMPS, FIRING_STEPS, index), background, commandFaces,
                    textsAndGauge);
    }

    // With no command held every raised look shows; the held one leaves the pressed look of the
    // background.
    for (int held = -1; held < COMMAND_COUNT; ++held) {
        if (held >= 0) {
            press(page(), commandAt[held]);
        }
        const SkinImage withHeld = composed();
        for (int command = 0; command < COMMAND_COUNT; ++command) {
            const std::size_t index = RAISED_COMMANDS + static_cast<std::size_t>(command);
            SCOPED_TRACE("command " + std::to_string(command) + " with " + std::to_string(held) +
                         " held");
            const SkinImage face = table(index);
            const auto at = telltale(face, tableRange(RAISED_COMMANDS, COMMAND_COUNT, index),
                                     background, {}, textsAndGauge);
            ASSERT_TRUE(at);
            EXPECT_EQ(withHeld.pixel(at->x, at->y),
                      (command == held ? background : face).pixel(at->x, at->y));
        }
    }
}

TEST_F(X360SetupPageTest, IconsStartAtHomeThenFollowLoadResetAndDefault) {
    EXPECT_EQ(page().dragDrop().keyRect(), keySquares);
    EXPECT_EQ(icons(), homeSquares);

    connect();
    EXPECT_EQ(icons(), keySquares) << "the device's factory map puts icon k on key k";

    click(page(), resetButton);
    EXPECT_FALSE(page().settings().isMappingComplete());
    EXPECT_EQ(icons(), homeSquares);

    click(page(), defaultButton);
    EXPECT_EQ(map(), defaultButtonMap());
    EXPECT_EQ(icons(), keySquares);
    EXPECT_TRUE(takeTrace().empty());
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(X360SetupPageTest, Drops) {
    struct Case {
        const char* name;
        PixelPoint over, releaseAt;
        ButtonMapBytes map;
        std::vector<std::pair<int, PixelRect>> icons; // code, where its icon lies
        int firingStep;
    };
    const PixelRect key7 = keySquares[7];
    const Case cases[] = {
        {"onto a key that holds another button, which goes home",
         centre(key7),
         centre(key7),
         mapWith({{3, NO_BUTTON}, {7, 3}}),
         {{3, key7}, {7, homeSquares[7]}},
         3},
        {"just outside the square lit at the last move",
         centre(key7),
         {key7.right() + 2, key7.top + 15},
         mapWith({{3, NO_BUTTON}, {7, 3}}),
         {{3, key7}, {7, homeSquares[7]}},
         3},
        {"back onto its own square",
         offset(centre(keySquares[3]), 4, 4),
         centre(keySquares[3]),
         defaultButtonMap(),
         {{3, keySquares[3]}},
         3},
        {"onto a lamp, away from every key",
         centre(step8Lamp),
         centre(step8Lamp),
         mapWith({{3, NO_BUTTON}}),
         {{3, homeSquares[3]}, {7, key7}},
         8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        connect();
        drag(centre(keySquares[3]), {c.over}, c.releaseAt);
        EXPECT_EQ(map(), c.map);
        for (const auto& [code, rect] : c.icons) {
            EXPECT_EQ(icons()[static_cast<std::size_t>(code)], rect) << "icon " << code;
        }
        expectIconsOnTheirKeys();
        EXPECT_EQ(page().settings().firingStep, c.firingStep);
        EXPECT_FALSE(page().dragDrop().dragging());
        EXPECT_EQ(page().dragDrop().hoverKey(), NO_DRAG);
        EXPECT_EQ(help(), dragHelp);
    }
}

TEST_F(X360SetupPageTest, ADropOnEmptyPictureEmptiesTheKeyUntilAnIconFromHomeFillsIt) {
    connect();
    press(page(), centre(keySquares[3]));
    EXPECT_EQ(help(), dropHelp);
    move(page(), emptyPicture, true);
    release(page(), emptyPicture);
    EXPECT_EQ(icons()[3], homeSquares[3]);
    EXPECT_EQ(map(), mapWith({{3, NO_BUTTON}}));

    click(page(), saveButton);
    EXPECT_EQ(messages.texts(), std::vector{incompleteText});
    EXPECT_TRUE(takeTrace().empty());

    messages.clear();
    drag(centre(homeSquares[3]), {centre(keySquares[3])}, centre(keySquares[3]));
    EXPECT_TRUE(page().settings().isMappingComplete());
    EXPECT_EQ(map(), defaultButtonMap());
    EXPECT_EQ(icons()[3], keySquares[3]);
}

TEST_F(X360SetupPageTest, WhereIconsOverlapAPressTakesUpTheLowestCode) {
    connect();
    // Code 0 now lies on no key, so its icon stays on key 0's square under icon 5.
    page().takeLoad({mapWith({{0, 5}, {5, NO_BUTTON}}), SENSITIVITY_MID, DEFAULT_FIRING_SPEED});
    ASSERT_EQ(icons()[0], keySquares[0]);
    ASSERT_EQ(icons()[5], keySquares[0]);

    press(page(), centre(keySquares[0]));
    EXPECT_EQ(page().dragDrop().dragButton(), 0);
    EXPECT_EQ(map()[0], 5) << "the icon drawn on top keeps its key";
}

TEST_F(X360SetupPageTest, ALoadInTheMiddleOfADragEndsIt) {
    struct Case {
        const char* name;
        X360DeviceItems items;
        ButtonMapBytes map; // after the load and the release that follows it
        PixelRect icon3;
        std::vector<std::string> messages;
    };
    const ButtonMapBytes moved = mapWith({{3, 10}, {10, 3}});
    const ButtonMapBytes without3 = mapWith({{3, NO_BUTTON}});
    const Case cases[] = {
        {"the device holds the button on another key",
         {moved, SENSITIVITY_MID, DEFAULT_FIRING_SPEED},
         moved,
         keySquares[10],
         {}},
        {"the device holds the button on no key",
         {without3, SENSITIVITY_MID, DEFAULT_FIRING_SPEED},
         without3,
         homeSquares[3],
         {}},
        {"the map could not be read", {}, without3, homeSquares[3], {commErrorText}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        connect();
        messages.clear();
        press(page(), centre(keySquares[3]));
        move(page(), centre(keySquares[7]), true);
        ASSERT_EQ(page().dragDrop().hoverKey(), 7);

        page().takeLoad(c.items);
        EXPECT_FALSE(page().dragDrop().dragging());
        EXPECT_EQ(page().dragDrop().hoverKey(), NO_DRAG);
        EXPECT_EQ(icons()[3], c.icon3);

        move(page(), centre(keySquares[9]), true);
        EXPECT_EQ(page().dragDrop().hoverKey(), NO_DRAG) << "nothing follows the pointer";
        release(page(), centre(keySquares[9]));
        EXPECT_EQ(map(), c.map);
        EXPECT_EQ(icons()[3], c.icon3);
        expectIconsOnTheirKeys();
        EXPECT_EQ(messages.texts(), c.messages);
    }
}

TEST_F(X360SetupPageTest, LampClicks) {
    struct Case {
        const char* name;
        PixelRect lamp;
        std::int8_t sensitivity;
        int firingStep;
        std::vector<PixelRect> repainted;
    };
    // The lamp lit before is drawn again, then the one clicked.
    const auto region = [](const PixelRect& a, const PixelRect& b) {
        return std::vector<PixelRect>{a, b};
    };
    const Case cases[] = {
        {"the lit level", midLamp, SENSITIVITY_MID, 3, {}},
        {"another level", highLamp, SENSITIVITY_HIGH, 3, region(midLamp, highLamp)},
        {"the lit step", step3Lamp, SENSITIVITY_MID, 3, {}},
        {"another step", step8Lamp, SENSITIVITY_MID, 8, region(step3Lamp, step8Lamp)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        connect();
        const PixelPoint at = centre(c.lamp);
        move(page(), at); // the help line settles before the click
        x360Surface.clear();
        click(page(), at);
        EXPECT_EQ(page().settings().sensitivity, c.sensitivity);
        EXPECT_EQ(page().settings().firingStep, c.firingStep);
        EXPECT_EQ(x360Surface.areas, c.repainted);
    }
}

TEST_F(X360SetupPageTest, ResetFiresWhereverItsButtonIsReleased) {
    for (const PixelPoint releaseAt : {emptyPicture, pcTab}) {
        SCOPED_TRACE(releaseAt.x);
        connect();
        window->switchTo(SetupPage::X360);
        press(page(), resetButton);
        EXPECT_EQ(page().pressedCommand(), 0);
        release(page(), releaseAt);
        EXPECT_EQ(page().pressedCommand(), -1);
        EXPECT_FALSE(std::any_of(map().begin(), map().end(), isButtonCode));
        EXPECT_EQ(icons(), homeSquares);
        EXPECT_EQ(shows(SetupPage::Pc), releaseAt.x == pcTab.x);
    }
}

// A command's button stays pressed on screen until its action, message boxes included, is done.
TEST_F(X360SetupPageTest, ACommandStaysPressedWhileItsMessageIsShown) {
    struct Case {
        const char* name;
        PixelPoint button;
        int command;
        std::optional<PixelRect> connectedWithAClickOn;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"Reload without a device", reloadButton, 1, {}, {deviceMissingText}},
        {"SAVE without a device", saveButton, 3, {}, {deviceNotFoundText}},
        {"SAVE", saveButton, 3, step8Lamp, {savedText}},
        {"EXIT with a change, cancelled", exitButton, 4, highLamp, {exitQuestion}},
    };
    const SkinImage background = table(BACKGROUND);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.connectedWithAClickOn) {
            connect();
            click(page(), centre(*c.connectedWithAClickOn));
        }
        messages.clear();
        messages.scriptAnswer(MessageAnswer::Cancel);
        const SkinImage face = table(RAISED_COMMANDS + static_cast<std::size_t>(c.command));
        const PixelPoint at = *telltale(face, {}, background, {}, textsAndGauge);
        std::vector<int> heldDuringBox;
        std::vector<std::uint32_t> shownDuringBox;
        messages.onShow = [&](std::string_view) {
            heldDuringBox.push_back(page().pressedCommand());
            shownDuringBox.push_back(composed().pixel(at.x, at.y));
        };
        click(page(), c.button);
        messages.onShow = nullptr;

        EXPECT_EQ(messages.texts(), c.messages);
        EXPECT_EQ(heldDuringBox, std::vector<int>(c.messages.size(), c.command));
        EXPECT_EQ(shownDuringBox,
                  std::vector<std::uint32_t>(c.messages.size(), background.pixel(at.x, at.y)))
            << "the pressed look behind the box";
        EXPECT_EQ(page().pressedCommand(), -1);
        EXPECT_EQ(composed().pixel(at.x, at.y), face.pixel(at.x, at.y))
            << "raised again afterwards";
    }
}

TEST_F(X360SetupPageTest, HelpLine) {
    connect();
    EXPECT_EQ(help(), "") << "empty until the pointer first moves";
    const std::string* commands = commandHelp;
    const struct {
        PixelPoint at;
        bool held;
        const std::string& help;
    } moves[] = {
        {resetButton, false, commands[0]},
        {reloadButton, false, commands[1]},
        {defaultButton, false, commands[2]},
        {saveButton, false, commands[3]},
        {exitButton, false, commands[4]},
        {centre(keySquares[3]), false, commands[4]}, // an icon: no change
        {{585, 530}, false, dragHelp},               // the command area, no command
        {resetButton, true, dragHelp},               // the button held: no change
        {resetButton, false, commands[0]},
        {emptyPicture, false, dragHelp},
    };
    for (const auto& m : moves) {
        move(page(), m.at, m.held);
        EXPECT_EQ(help(), m.help) << m.at.x << "," << m.at.y;
    }
}

TEST_F(X360SetupPageTest, ExitWithAnIncompleteMapAnsweredYesSaysSoAndCloses) {
    connect();
    drag(centre(keySquares[3]), {emptyPicture}, emptyPicture);

    click(page(), exitButton);
    EXPECT_EQ(messages.texts(), (std::vector{exitQuestion, incompleteText}));
    EXPECT_EQ(host.runsEnded, 1);
    EXPECT_TRUE(takeTrace().empty());
}

TEST_F(X360SetupPageTest, SaveWritesOnlyWhatChanged) {
    struct Case {
        const char* name;
        std::function<void()> edit;
        std::vector<std::string> trace;
    };
    const Case cases[] = {
        {"nothing", [] {}, {}},
        {"the firing speed, to 10 a second",
         [this] { click(page(), centre(step8Lamp)); },
         {"write 117 1 0a"}},
        {"all three",
         [this] {
             swapKeys0And1();
             click(page(), centre(highLamp));
             click(page(), centre(step8Lamp));
         },
         {"write 118 14 010002030405060708090a0b0c0d", "read 118 14", "write 116 1 04",
          "write 117 1 0a"}},
    };
    // The sensitivity, the firing speed and the map lie side by side from address 116.
    const devsim::MemoryImage factory = devsim::factoryImage();
    const std::span<const std::uint8_t> factoryItems(factory.data() + SENSITIVITY_ADDRESS, 16);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(link.writeBytes(SENSITIVITY_ADDRESS, factoryItems), 0u);
        connect();
        messages.clear();
        state.samplingEnabled = 1;
        c.edit();
        sampling->sampling.clear();

        click(page(), saveButton);
        EXPECT_EQ(takeTrace(), c.trace);
        EXPECT_EQ(messages.texts(), std::vector{savedText});
        EXPECT_FALSE(page().isChanged());
        const devsim::MemoryImage memory = receiver->memory();
        EXPECT_TRUE(std::equal(map().begin(), map().end(), memory.begin() + BUTTON_MAP_ADDRESS));
        EXPECT_EQ(memory[SENSITIVITY_ADDRESS], page().settings().sensitivity);
        EXPECT_EQ(memory[FIRING_SPEED_ADDRESS], page().settings().firingSpeed);
        EXPECT_EQ(sampling->sampling, std::vector<std::int32_t>(c.trace.size(), 0));
        EXPECT_EQ(state.samplingEnabled, 1);
    }
}

TEST_F(X360SetupPageTest, AMismatchedReadBackShowsTheErrorTwiceAndKeepsTheDeviceMap) {
    connect();
    swapKeys0And1();
    click(page(), centre(highLamp));
    receiver->inject(
        {.kind = devsim::FaultKind::ReadBackMismatch, .scope = devsim::RequestScope::Reads});

    click(page(), saveButton);
    EXPECT_EQ(messages.texts(), (std::vector{commErrorText, commErrorText}));
    EXPECT_EQ(page().settings().deviceButtonMap, defaultButtonMap());
    EXPECT_EQ(takeTrace(), (std::vector<std::string>{"write 118 14 010002030405060708090a0b0c0d",
                                                     "read 118 14"}))
        << "a failed map stops the rest";
}

TEST_F(X360SetupPageTest, WithoutADeviceReloadAndSaveOnlySaySo) {
    const std::pair<PixelPoint, std::string> cases[] = {
        {reloadButton, deviceMissingText},
        {saveButton, deviceNotFoundText},
    };
    for (const auto& [button, message] : cases) {
        messages.clear();
        click(page(), button);
        EXPECT_EQ(messages.texts(), std::vector{message});
    }
    EXPECT_TRUE(takeTrace().empty());
}

TEST_F(X360SetupPageTest, ReloadReadsTheDeviceAgainWithSamplingPaused) {
    connect();
    dragKeyToKey(3, 7);
    click(page(), centre(highLamp));
    state.samplingEnabled = 1;
    sampling->sampling.clear();

    click(page(), reloadButton);
    EXPECT_EQ(takeTrace(), (std::vector<std::string>{"read 118 14", "read 116 1", "read 117 1"}));
    EXPECT_EQ(sampling->sampling, (std::vector<std::int32_t>{0, 0, 0}));
    EXPECT_EQ(state.samplingEnabled, 1);
    EXPECT_EQ(map(), defaultButtonMap());
    EXPECT_EQ(icons(), keySquares);
    EXPECT_EQ(page().settings().sensitivity, SENSITIVITY_MID);
    EXPECT_FALSE(page().isChanged());
    EXPECT_TRUE(messages.shown().empty());
}

// The page with a picture missing from the middle of its table: the third key highlight.
class UnfinishedX360PageTest : public PageFixture {
protected:
    void SetUp() override {
        resources.withoutPicture(179);
        PageFixture::SetUp();
    }
};

TEST_F(UnfinishedX360PageTest, SaysSoOnceAndItsIdleDecodeKeepsToThePicturesFound) {
    EXPECT_EQ(messages.texts(), std::vector{pictureMissingText});
    EXPECT_FALSE(x360Page().initialised());
    EXPECT_TRUE(pcPage().initialised());

    // The PC Setup page's first paint hands the other page's decoding to the idle time.
    paint(pcPage());
    x360Page().decodePictures();
    const TestCanvas& canvas = paint(x360Page());
    EXPECT_TRUE(std::all_of(canvas.image().pixels.begin(), canvas.image().pixels.end(),
                            [](std::uint32_t pixel) { return pixel == 0xFF000000u; }))
        << "nothing of the skin is drawn";
    EXPECT_TRUE(canvas.texts().empty());
    EXPECT_EQ(messages.texts(), std::vector{pictureMissingText});
}

TEST_F(UnfinishedX360PageTest, ItsTabHeadersStillSwitchPages) {
    const PixelPoint x360Tab{320, 36};
    release(pcPage(), x360Tab);
    ASSERT_TRUE(shows(SetupPage::X360));

    click(x360Page(), x360Tab);
    EXPECT_TRUE(shows(SetupPage::X360)) << "its own tab changes nothing";
    press(x360Page(), pcTab);
    release(x360Page(), emptyPicture);
    EXPECT_TRUE(shows(SetupPage::X360)) << "a press on the other tab is not enough";

    release(x360Page(), pcTab);
    EXPECT_TRUE(shows(SetupPage::Pc));
}

} // namespace
} // namespace vantrel
