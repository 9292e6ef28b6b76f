#include "tests/app/WindowFixture.h"

#include <QSignalSpy>

#include <cstdio>
#include <optional>

namespace vantrel {
namespace {

using test::WindowFixture;

const QPoint pcTab{100, 36};
const QPoint x360Tab{320, 36};
const QPoint awayFromTabs{400, 300};
const QPoint pcExit{736, 560};
const QPoint x360Exit{734, 560};

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

class MainWindowTest : public WindowFixture {};

TEST_F(MainWindowTest, OpensOnThePcSetupPageWithBothPagesBuilt) {
    EXPECT_EQ(window->windowTitle(), "Vantrel Setup Utility V104a");
    EXPECT_EQ(window->size(), QSize(800, 600));
    EXPECT_TRUE(pcWidget().isVisible());
    EXPECT_FALSE(x360Widget().isVisible());
    EXPECT_TRUE(pcPage().initialised());
    EXPECT_TRUE(x360Page().initialised());
    EXPECT_EQ(pcWidget().geometry(), QRect(0, 0, 800, 600));
    EXPECT_EQ(x360Widget().geometry(), QRect(0, 0, 800, 600));
    EXPECT_EQ(monitorStarts, 1);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(MainWindowTest, OnlyAReleaseOverTheOtherPagesTabSwitches) {
    release(pcPage(), pcTab); // its own tab
    EXPECT_TRUE(pcWidget().isVisible());

    press(pcPage(), x360Tab);
    release(pcPage(), awayFromTabs);
    EXPECT_TRUE(pcWidget().isVisible()) << "a press on the other tab is not enough";

    press(pcPage(), awayFromTabs);
    release(pcPage(), x360Tab);
    EXPECT_TRUE(x360Widget().isVisible()) << "a release there switches, wherever the press was";
    EXPECT_FALSE(pcWidget().isVisible());

    release(x360Page(), x360Tab);
    EXPECT_TRUE(x360Widget().isVisible());
    click(x360Page(), pcTab);
    EXPECT_TRUE(pcWidget().isVisible());
    EXPECT_FALSE(x360Widget().isVisible());
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
    EXPECT_FALSE(rules->passesSaveGuard());
    EXPECT_EQ(messages.texts(), std::vector{deviceNotFoundText});
    state.deviceConnected = 1;
    EXPECT_TRUE(rules->passesSaveGuard());
}

// A connected device; the window's end is watched.
class ExitTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        finished.emplace(window.get(), &QDialog::finished);
        connect();
    }

    // Changes both settings sets: the LB slot's key, and the firing speed by its lamp.
    void changeBoth(KeyCode lbKey, QPoint firingLamp) {
        pcPage().keyMap().setDefinition(lbSlot, lbKey, 0);
        pcPage().refreshLabels();
        click(x360Page(), firingLamp);
        ASSERT_TRUE(pcPage().keyMap().isChanged());
        ASSERT_TRUE(x360Page().isChanged());
    }

    static constexpr int lbSlot = 3;
    std::optional<QSignalSpy> finished;
};

TEST_F(ExitTest, YesWithBothSetsChangedSavesTheAskingPagesSetFirst) {
    struct Case {
        const char* name;
        SetupPage asking;
        KeyCode lbKey;
        QPoint firingLamp;
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
        window->show();
        changeBoth(c.lbKey, c.firingLamp);
        // The way a user gets to the asking page: a release over its tab header.
        if (c.asking == SetupPage::X360) {
            release(pcPage(), x360Tab);
        }
        const std::vector<std::string> pcWrites = keyMapWrites(pcPage().keyMap().currentKeyMap());
        messages.clear();
        finished->clear();

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
        ASSERT_EQ(finished->count(), 1);
        EXPECT_EQ(finished->at(0).at(0).toInt(), QDialog::Rejected);
        EXPECT_FALSE(window->isVisible());
        rules->switchTo(SetupPage::Pc);
    }
}

TEST_F(ExitTest, TheCloseBoxEndsWithoutAskingWhateverChanged) {
    changeBoth(0x41, {612, 124});
    window->close();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(takeTrace().empty());
    ASSERT_EQ(finished->count(), 1);
    EXPECT_EQ(finished->at(0).at(0).toInt(), QDialog::Rejected);
    EXPECT_FALSE(window->isVisible());
}

class FailedRegistrationTest : public WindowFixture {
protected:
    void SetUp() override {
        notices.failure = 0x6F;
        WindowFixture::SetUp();
    }
};

TEST_F(FailedRegistrationTest, SaysSoAndOpensAnyway) {
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"RegisterDeviceNotification failed: 0x6f"});
    EXPECT_TRUE(pcWidget().isVisible());
}

} // namespace
} // namespace vantrel
