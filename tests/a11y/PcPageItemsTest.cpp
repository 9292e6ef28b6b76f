#include "pcsetup/CVantrelConfigDlg.h"
#include "pcsetup/HeldKeys.h"
#include "pcsetup/KeyCapture.h"
#include "pcsetup/PcPageText.h"
#include "tests/a11y/PageFixture.h"

namespace vantrel::test {
namespace {

class PcPageItemsTest : public PageFixture {
protected:
    void SetUp() override {
        page.showOn(surface);
        ASSERT_TRUE(page.initialise());
    }

    AccessibleItem item(std::string_view name) const {
        const std::vector<AccessibleItem> items = page.accessibleItems();
        return items[static_cast<std::size_t>(indexOf(items, name))];
    }
    void activate(std::string_view name) {
        page.activateItem(indexOf(page.accessibleItems(), name));
    }

    CVantrelConfigDlg page{services(), fileDialogs, keyboard};
};

TEST_F(PcPageItemsTest, LabelsShowTheirCaptionsAndDefinitionsOverTheirPlaceHolders) {
    struct Case {
        std::string_view caption;
        std::string_view definition;
        PixelRect rect;
    };
    for (const Case& c :
         {Case{"Dpad Down", "3", {18, 224, 102, 28}},
          Case{"LT", "Shift(left)", {348, 488, 100, 26}}, Case{"LB", "Space", {348, 442, 100, 26}},
          Case{"Start", "Q", {446, 90, 102, 28}}}) {
        const AccessibleItem label = item(c.caption);
        EXPECT_EQ(label.role, AccessibleRole::PushButton) << c.caption;
        EXPECT_EQ(label.description, c.definition) << c.caption;
        EXPECT_EQ(label.rect, c.rect) << c.caption;
        EXPECT_TRUE(label.hasAction) << c.caption;
        EXPECT_EQ(label.states, AccessibleStates{}) << c.caption;
    }
    const AccessibleItem help = item(defaultHelpText);
    EXPECT_EQ(help.role, AccessibleRole::StatusText);
    EXPECT_FALSE(help.hasAction);
}

TEST_F(PcPageItemsTest, TheLabelsActionBeginsCaptureAndTheNextKeyDefinesIt) {
    activate("LB");
    AccessibleItem lb = item("LB");
    EXPECT_TRUE(lb.states.hovered);
    EXPECT_TRUE(lb.states.capturing);
    EXPECT_EQ(lb.description, noKeyText);
    EXPECT_EQ(item(captureHelpText).role, AccessibleRole::StatusText);

    HeldKeys held;
    held.press(0x42);
    EXPECT_EQ(page.capture().onKeyPress(0x42, held), KeyPressAnswer::Consumed);
    EXPECT_EQ(item("LB").description, "B");
    EXPECT_EQ(page.keyMap().mainKey(3), 0x42);

    // A second click on the label under capture ends it, as the page's click rule says.
    activate("LB");
    lb = item("LB");
    EXPECT_TRUE(lb.states.hovered);
    EXPECT_FALSE(lb.states.capturing);
    EXPECT_EQ(lb.description, "B");
}

TEST_F(PcPageItemsTest, ActingOnAnotherItemDuringCaptureEndsItAsAClickThereWould) {
    activate("LB");
    activate("LT");
    EXPECT_EQ(item("LB").states, AccessibleStates{});
    EXPECT_EQ(item("LT").states, AccessibleStates{}) << "a click elsewhere only ends the capture";
    EXPECT_EQ(item("LB").description, "Space");

    activate("LB");
    activate("RESET");
    EXPECT_EQ(item("LB").states, AccessibleStates{});
    EXPECT_FALSE(item("RESET").states.hovered) << "moves during capture hover nothing";
    EXPECT_EQ(item(defaultHelpText).role, AccessibleRole::StatusText);
}

TEST_F(PcPageItemsTest, ButtonAndTabActionsRunWhatTheirClicksRun) {
    activate("SAVE");
    EXPECT_EQ(shell.saveGuards, 1);
    activate("EXIT");
    EXPECT_EQ(shell.exits, 1);
    activate("XBox 360 Setup");
    EXPECT_EQ(shell.switches, std::vector<SetupPage>{SetupPage::X360});
    activate("PC Setup");
    EXPECT_EQ(shell.switches.size(), 1U) << "the own tab's header switches nothing";

    const std::vector<AccessibleItem> items = page.accessibleItems();
    const int tabs = indexOf(items, "Setup pages");
    EXPECT_TRUE(items[static_cast<std::size_t>(indexOf(items, "PC Setup", tabs))].states.selected);
    EXPECT_FALSE(
        items[static_cast<std::size_t>(indexOf(items, "XBox 360 Setup", tabs))].states.selected);
}

TEST_F(PcPageItemsTest, TheQualityReadsAsAValueWithThePagesText) {
    page.setQuality(-5, "-05");
    const AccessibleItem quality = item("Mouse Pad Quality");
    EXPECT_EQ(quality.role, AccessibleRole::Gauge);
    EXPECT_EQ(quality.description, "-05");
    EXPECT_EQ(quality.value, (AccessibleValue{-5, -50, 100}));
    EXPECT_FALSE(quality.hasAction);
}

TEST_F(PageFixture, AnUnfinishedPcPageShowsNothingAndActsOnNothing) {
    resources.missing = true;
    CVantrelConfigDlg page(services(), fileDialogs, keyboard);
    page.showOn(surface);
    EXPECT_FALSE(page.initialise());
    EXPECT_TRUE(page.accessibleItems().empty());
    page.activateItem(0);
    EXPECT_TRUE(shell.switches.empty());
}

} // namespace
} // namespace vantrel::test
