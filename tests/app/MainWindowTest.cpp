#include "tests/app/WindowFixture.h"

#include "pcsetup/PcPageText.h"

namespace vantrel {
namespace {

using test::WindowFixture;

const QPoint pcTab{100, 36};
const QPoint x360Tab{320, 36};
const QPoint awayFromTabs{400, 300};

class MainWindowTest : public WindowFixture {};

TEST_F(MainWindowTest, OpensOnThePcSetupPageWithBothPagesBuilt) {
    EXPECT_EQ(window->windowTitle(), "Vantrel Setup Utility V104a");
    EXPECT_EQ(window->size(), QSize(800, 600));
    EXPECT_TRUE(pcPage().isVisible());
    EXPECT_FALSE(x360Page().isVisible());
    EXPECT_TRUE(pcPage().initialised());
    EXPECT_TRUE(x360Page().initialised());
    EXPECT_EQ(pcPage().geometry(), QRect(0, 0, 800, 600));
    EXPECT_EQ(x360Page().geometry(), QRect(0, 0, 800, 600));
    EXPECT_EQ(monitorStarts, 1);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(MainWindowTest, OnlyAReleaseOverTheOtherPagesTabSwitches) {
    release(pcPage(), pcTab); // its own tab
    EXPECT_TRUE(pcPage().isVisible());

    press(pcPage(), x360Tab);
    release(pcPage(), awayFromTabs);
    EXPECT_TRUE(pcPage().isVisible()) << "a press on the other tab is not enough";

    press(pcPage(), awayFromTabs);
    release(pcPage(), x360Tab);
    EXPECT_TRUE(x360Page().isVisible()) << "a release there switches, wherever the press was";
    EXPECT_FALSE(pcPage().isVisible());

    release(x360Page(), x360Tab);
    EXPECT_TRUE(x360Page().isVisible());
    click(x360Page(), pcTab);
    EXPECT_TRUE(pcPage().isVisible());
    EXPECT_FALSE(x360Page().isVisible());
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
    EXPECT_EQ(messages.texts(), std::vector<std::string>{std::string(deviceNotFoundMessage)});
    state.deviceConnected = 1;
    EXPECT_TRUE(window->passesSaveGuard());
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
    EXPECT_TRUE(pcPage().isVisible());
}

} // namespace
} // namespace vantrel
