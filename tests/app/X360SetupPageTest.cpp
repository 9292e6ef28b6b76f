#include "tests/app/WindowFixture.h"

#include "app/ConfirmExit.h"
#include "pcsetup/PcPageText.h"
#include "x360setup/X360PageText.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QSignalSpy>

#include <algorithm>
#include <functional>
#include <span>

namespace vantrel {
namespace {

using test::WindowFixture;

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

QPoint centre(const PixelRect& rect) {
    return {rect.left + rect.width / 2, rect.top + rect.height / 2};
}

const QPoint resetButton{538, 500};
const QPoint reloadButton{630, 498};
const QPoint defaultButton{720, 498};
const QPoint saveButton{642, 560};
const QPoint exitButton{734, 560};
const QPoint pcTab{100, 36};
// On the picture but on no key, lamp, icon, command or tab.
const QPoint emptyPicture{450, 380};

std::string text(std::string_view view) {
    return std::string(view);
}

// The default map with some keys changed: {key, byte}.
ButtonMapBytes mapWith(std::initializer_list<std::pair<int, std::uint8_t>> changes) {
    ButtonMapBytes map = defaultButtonMap();
    for (const auto& [key, byte] : changes) {
        map[static_cast<std::size_t>(key)] = byte;
    }
    return map;
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

// The areas of a page painted after the spy was made; what was pending before is painted first.
class PaintSpy : public QObject {
public:
    explicit PaintSpy(QWidget& page) : page_(page) {
        QCoreApplication::processEvents();
        page_.installEventFilter(this);
    }
    ~PaintSpy() override { page_.removeEventFilter(this); }

    QRegion painted() {
        QCoreApplication::processEvents();
        return painted_;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted_ += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }

private:
    QWidget& page_;
    QRegion painted_;
};

class X360SetupPageTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        receiver->traceTo(sampling);
        window->switchTo(SetupPage::X360);
    }

    CKeydefDlg& page() { return x360Page(); }
    const ButtonMapBytes& map() { return page().settings().buttonMap; }
    const IconRects& icons() { return page().dragDrop().iconRect(); }
    std::string help() { return page().helpText().toStdString(); }

    // Press, moves with the button held, release.
    void drag(QPoint from, std::initializer_list<QPoint> over, QPoint to) {
        press(page(), from);
        for (const QPoint& point : over) {
            move(page(), point, Qt::LeftButton);
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

    std::shared_ptr<SamplingTrace> sampling = std::make_shared<SamplingTrace>(trace, state);
};

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
        QPoint over, releaseAt;
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
         centre(keySquares[3]) + QPoint(4, 4),
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
        EXPECT_EQ(help(), text(dragHelpText));
    }
}

TEST_F(X360SetupPageTest, ADropOnEmptyPictureEmptiesTheKeyUntilAnIconFromHomeFillsIt) {
    connect();
    press(page(), centre(keySquares[3]));
    EXPECT_EQ(help(), text(dropHelpText));
    move(page(), emptyPicture, Qt::LeftButton);
    release(page(), emptyPicture);
    EXPECT_EQ(icons()[3], homeSquares[3]);
    EXPECT_EQ(map(), mapWith({{3, NO_BUTTON}}));

    click(page(), saveButton);
    EXPECT_EQ(messages.texts(), std::vector{text(mappingIncompleteMessage)});
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
        {"the map could not be read", {}, without3, homeSquares[3], {text(commErrorMessage)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        connect();
        messages.clear();
        press(page(), centre(keySquares[3]));
        move(page(), centre(keySquares[7]), Qt::LeftButton);
        ASSERT_EQ(page().dragDrop().hoverKey(), 7);

        page().takeLoad(c.items);
        EXPECT_FALSE(page().dragDrop().dragging());
        EXPECT_EQ(page().dragDrop().hoverKey(), NO_DRAG);
        EXPECT_EQ(icons()[3], c.icon3);

        move(page(), centre(keySquares[9]), Qt::LeftButton);
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
        QRegion repainted;
    };
    const auto region = [](const PixelRect& a, const PixelRect& b) {
        return QRegion(toQRect(a)) + QRegion(toQRect(b));
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
        const QPoint at = centre(c.lamp);
        move(page(), at); // the help line settles before the click
        PaintSpy spy(page());
        click(page(), at);
        EXPECT_EQ(page().settings().sensitivity, c.sensitivity);
        EXPECT_EQ(page().settings().firingStep, c.firingStep);
        EXPECT_EQ(spy.painted(), c.repainted);
    }
}

TEST_F(X360SetupPageTest, ResetFiresWhereverItsButtonIsReleased) {
    for (const QPoint releaseAt : {emptyPicture, pcTab}) {
        SCOPED_TRACE(releaseAt.x());
        connect();
        window->switchTo(SetupPage::X360);
        press(page(), resetButton);
        EXPECT_EQ(page().pressedCommand(), 0);
        release(page(), releaseAt);
        EXPECT_EQ(page().pressedCommand(), -1);
        EXPECT_FALSE(std::any_of(map().begin(), map().end(), isButtonCode));
        EXPECT_EQ(icons(), homeSquares);
        EXPECT_EQ(pcPage().isVisible(), releaseAt == pcTab);
    }
}

TEST_F(X360SetupPageTest, HelpLine) {
    connect();
    EXPECT_EQ(help(), "") << "empty until the pointer first moves";
    const std::string_view* commands = commandHelpTexts;
    const struct {
        QPoint at;
        Qt::MouseButtons held;
        std::string_view help;
    } moves[] = {
        {resetButton, Qt::NoButton, commands[0]},
        {reloadButton, Qt::NoButton, commands[1]},
        {defaultButton, Qt::NoButton, commands[2]},
        {saveButton, Qt::NoButton, commands[3]},
        {exitButton, Qt::NoButton, commands[4]},
        {centre(keySquares[3]), Qt::NoButton, commands[4]}, // an icon: no change
        {{585, 530}, Qt::NoButton, dragHelpText},           // the command area, no command
        {resetButton, Qt::LeftButton, dragHelpText},        // the button held: no change
        {resetButton, Qt::NoButton, commands[0]},
        {emptyPicture, Qt::NoButton, dragHelpText},
    };
    for (const auto& m : moves) {
        move(page(), m.at, m.held);
        EXPECT_EQ(help(), text(m.help)) << m.at.x() << "," << m.at.y();
    }
}

TEST_F(X360SetupPageTest, ExitWithAnIncompleteMapAnsweredYesSaysSoAndCloses) {
    connect();
    drag(centre(keySquares[3]), {emptyPicture}, emptyPicture);
    QSignalSpy finished(window.get(), &QDialog::finished);

    click(page(), exitButton);
    EXPECT_EQ(messages.texts(),
              (std::vector{text(saveOnExitQuestion), text(mappingIncompleteMessage)}));
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Rejected);
    EXPECT_FALSE(window->isVisible());
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
        EXPECT_EQ(messages.texts(), std::vector{text(x360SavedMessage)});
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
    EXPECT_EQ(messages.texts(), (std::vector{text(commErrorMessage), text(commErrorMessage)}));
    EXPECT_EQ(page().settings().deviceButtonMap, defaultButtonMap());
    EXPECT_EQ(takeTrace(), (std::vector<std::string>{"write 118 14 010002030405060708090a0b0c0d",
                                                     "read 118 14"}))
        << "a failed map stops the rest";
}

TEST_F(X360SetupPageTest, WithoutADeviceReloadAndSaveOnlySaySo) {
    const std::pair<QPoint, std::string_view> cases[] = {
        {reloadButton, deviceMissingMessage},
        {saveButton, deviceNotFoundMessage},
    };
    for (const auto& [button, message] : cases) {
        messages.clear();
        click(page(), button);
        EXPECT_EQ(messages.texts(), std::vector{text(message)});
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

} // namespace
} // namespace vantrel
