#include "tests/window/PageFixture.h"

#include <cstdio>

namespace vantrel {
namespace {

using test::PageFixture;

constexpr PixelPoint pcTab{100, 36};
constexpr PixelPoint x360Tab{320, 36};
constexpr PixelPoint awayFromTabs{400, 300};
constexpr PixelPoint pcExit{736, 560};
constexpr PixelPoint x360Exit{734, 560};
constexpr int lbSlot = 3;
constexpr PixelPoint onLb{398, 455};

const std::string deviceNotFoundText =
    "Vantrel device not found. \r\nPlug-in your Vantrel Receiver "
    "dongle while press and hold the button on it!";
const std::string exitQuestion = "Save the new settings into Vantrel?";
const std::string x360SavedText =
    "The new X360 settings have been saved in your Vantrel sucessfully!";
const std::string pcSavedText = "The new PC settings have been saved in your Vantrel sucessfully!";

// The trace lines of the key map's four 16-byte blocks written from address 52.
std::vector<std::string> keyMapWrites(const KeyMapBytes& map) {
    std::vector<std::string> lines;
    for (std::size_t block = 0; block < 4; ++block) {
        std::string line = "write " + std::to_string(52 + 16 * block) + " 16 ";
        for (std::size_t i = 0; i < 16; ++i) {
            char digits[3];
            std::snprintf(digits, sizeof digits, "%02x", map[16 * block + i]);
            line += digits;
        }
        lines.push_back(line);
    }
    return lines;
}

class MainWindowTest : public PageFixture {};

TEST_F(MainWindowTest, OpensOnThePcSetupPageWithBothPagesBuilt) {
    EXPECT_TRUE(shows(SetupPage::Pc));
    EXPECT_EQ(window->shownPage(), SetupPage::Pc);
    EXPECT_TRUE(pcPage().initialised());
    EXPECT_TRUE(x360Page().initialised());
    EXPECT_EQ(pcPage().pageRect(), (PixelRect{0, 0, 800, 600}));
    EXPECT_EQ(x360Page().pageRect(), (PixelRect{0, 0, 800, 600}));
    EXPECT_TRUE(window->tabArea(SetupPage::Pc).contains(pcTab.x, pcTab.y));
    EXPECT_TRUE(window->tabArea(SetupPage::X360).contains(x360Tab.x, x360Tab.y));
    EXPECT_EQ(keyboard.installed, &pcPage().capture()) << "the page took the keyboard";
    EXPECT_EQ(monitorStarts, 1);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(MainWindowTest, OnlyAReleaseOverTheOtherPagesTabSwitches) {
    release(pcPage(), pcTab); // its own tab
    EXPECT_TRUE(shows(SetupPage::Pc));

    press(pcPage(), x360Tab);
    release(pcPage(), awayFromTabs);
    EXPECT_TRUE(shows(SetupPage::Pc)) << "a press on the other tab is not enough";

    press(pcPage(), awayFromTabs);
    release(pcPage(), x360Tab);
    EXPECT_TRUE(shows(SetupPage::X360)) << "a release there switches, wherever the press was";
    EXPECT_EQ(window->shownPage(), SetupPage::X360);

    release(x360Page(), x360Tab);
    EXPECT_TRUE(shows(SetupPage::X360));
    click(x360Page(), pcTab);
    EXPECT_TRUE(shows(SetupPage::Pc));
}

TEST_F(MainWindowTest, DeviceNoticesThatNameTheReceiverSignalTheMonitor) {
    const std::u16string receiverPath =
        u"\\\\?\\usb#vid_7b4d&pid_0018#5&1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
    const std::u16string otherPath =
        u"\\\\?\\usb#vid_7b4d&pid_0019#5&1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

    notices.deliver({DeviceNotice::Kind::Arrival, otherPath});
    notices.deliver({DeviceNotice::Kind::Arrival, std::nullopt});
    notices.deliver({DeviceNotice::Kind::RemovalComplete, std::nullopt});
    EXPECT_FALSE(state.reconnectEvent.wait(std::chrono::milliseconds(0)));
    EXPECT_FALSE(state.wakeEvent.wait(std::chrono::milliseconds(0)));
    EXPECT_EQ(state.samplingEnabled, 0);

    notices.deliver({DeviceNotice::Kind::Arrival, receiverPath});
    EXPECT_TRUE(state.reconnectEvent.wait(std::chrono::milliseconds(0)));
    EXPECT_EQ(state.samplingEnabled, 1);

    notices.deliver({DeviceNotice::Kind::RemovalComplete, receiverPath});
    EXPECT_TRUE(state.wakeEvent.wait(std::chrono::milliseconds(0)));
    EXPECT_EQ(state.samplingEnabled, 0);
}

TEST_F(MainWindowTest, BothSaveButtonsRefuseWithoutADevice) {
    EXPECT_FALSE(window->passesSaveGuard());
    EXPECT_EQ(messages.texts(), std::vector{deviceNotFoundText});
    state.deviceConnected = 1;
    EXPECT_TRUE(window->passesSaveGuard());
}

// A connected device; the run's end is watched.
class ExitTest : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        connect();
    }

    // Changes both settings sets: the LB slot's key by capture, and the firing speed by its lamp.
    void changeBoth(KeyCode lbKey, PixelPoint firingLamp) {
        window->switchTo(SetupPage::Pc);
        move(pcPage(), onLb);
        click(pcPage(), onLb);
        test::HandKeys(pcPage().capture()).tap(lbKey);
        click(pcPage(), onLb);
        click(x360Page(), firingLamp);
        ASSERT_EQ(pcPage().keyMap().mainKey(lbSlot), lbKey);
        ASSERT_TRUE(pcPage().keyMap().isChanged());
        ASSERT_TRUE(x360Page().isChanged());
    }
};

TEST_F(ExitTest, YesWithBothSetsChangedSavesTheAskingPagesSetFirst) {
    struct Case {
        const char* name;
        SetupPage asking;
        KeyCode lbKey;
        PixelPoint firingLamp;
        std::string x360Write;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"from the XBox 360 page",
         SetupPage::X360,
         0x41,
         {612, 124}, // 10 a second
         "write 117 1 0a",
         {exitQuestion, x360SavedText, pcSavedText}},
        {"from the PC page",
         SetupPage::Pc,
         0x42,
         {612, 244}, // 2 a second
         "write 117 1 32",
         {exitQuestion, pcSavedText, x360SavedText}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        changeBoth(c.lbKey, c.firingLamp);
        // The way a user gets to the asking page: a release over its tab header.
        if (c.asking == SetupPage::X360) {
            release(pcPage(), x360Tab);
            ASSERT_TRUE(shows(SetupPage::X360));
        }
        const std::vector<std::string> pcWrites = keyMapWrites(pcPage().keyMap().currentKeyMap());
        messages.clear();
        host.runsEnded = 0;

        if (c.asking == SetupPage::X360) {
            click(x360Page(), x360Exit);
        } else {
            click(pcPage(), pcExit);
        }

        EXPECT_EQ(messages.texts(), c.messages);
        std::vector<std::string> written{c.x360Write};
        if (c.asking == SetupPage::X360) {
            written.insert(written.end(), pcWrites.begin(), pcWrites.end());
        } else {
            written.insert(written.begin(), pcWrites.begin(), pcWrites.end());
        }
        EXPECT_EQ(takeTrace(), written);
        EXPECT_EQ(host.runsEnded, 1);
    }
}

class FailedRegistrationTest : public PageFixture {
protected:
    void SetUp() override {
        notices.failure = 0x6F;
        PageFixture::SetUp();
    }
};

TEST_F(FailedRegistrationTest, SaysSoAndOpensAnyway) {
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"RegisterDeviceNotification failed: 0x6f"});
    EXPECT_TRUE(shows(SetupPage::Pc));
}

// Another copy of the program holds the keyboard.
class KeyboardHeldElsewhereTest : public PageFixture {
protected:
    void SetUp() override {
        keyboard.claimAnswer = false;
        PageFixture::SetUp();
    }
};

TEST_F(KeyboardHeldElsewhereTest, ThePcPageStaysUnsetAndItsTabHeaderStillSwitches) {
    EXPECT_FALSE(pcPage().initialised()) << "the page gives up at once, taking no keyboard";
    EXPECT_EQ(keyboard.installed, nullptr);
    EXPECT_TRUE(x360Page().initialised());
    EXPECT_TRUE(messages.shown().empty());

    move(pcPage(), onLb);
    click(pcPage(), onLb);
    EXPECT_EQ(pcPage().capture().hoverSlot(), -1) << "an unset page answers no pointer";

    release(pcPage(), x360Tab);
    EXPECT_TRUE(shows(SetupPage::X360)) << "the XBox 360 Setup tab still switches pages";
}

} // namespace
} // namespace vantrel
