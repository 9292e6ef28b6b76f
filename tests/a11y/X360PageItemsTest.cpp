#include "tests/a11y/PageFixture.h"
#include "x360setup/CKeydefDlg.h"
#include "x360setup/X360PageText.h"

#include <optional>

namespace vantrel::test {
namespace {

class X360PageItemsTest : public PageFixture {
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

    // The names of the lit lamps of the group.
    std::vector<std::string> litIn(std::string_view group) const {
        const std::vector<AccessibleItem> items = page.accessibleItems();
        const int groupIndex = indexOf(items, group);
        std::vector<std::string> lit;
        for (const AccessibleItem& lamp : items) {
            if (lamp.parent == groupIndex && lamp.states.checked) {
                lit.push_back(lamp.name);
            }
        }
        return lit;
    }

    CKeydefDlg page{services()};
};

TEST_F(X360PageItemsTest, TheCheckedLampFollowsTheSettings) {
    struct Case {
        std::int8_t sensitivity;
        std::int8_t speedByte;
        std::vector<std::string> sensitivityLit;
        std::vector<std::string> speedLit;
    };
    for (const Case& c :
         {Case{2, 50, {"Low"}, {"2 per second"}}, Case{3, 20, {"Mid"}, {"5 per second"}},
          Case{4, 10, {"High"}, {"10 per second"}}, Case{1, 9, {}, {}}, Case{5, 51, {}, {}}}) {
        page.takeLoad({defaultButtonMap(), c.sensitivity, c.speedByte});
        EXPECT_EQ(litIn(sensitivityGroupName), c.sensitivityLit) << int(c.sensitivity);
        EXPECT_EQ(litIn(firingSpeedGroupName), c.speedLit) << int(c.speedByte);
    }
}

TEST_F(X360PageItemsTest, ALampsActionLightsIt) {
    activate("High");
    EXPECT_EQ(page.settings().sensitivity, SENSITIVITY_HIGH);
    EXPECT_EQ(litIn(sensitivityGroupName), std::vector<std::string>{"High"});
    activate("8 per second");
    EXPECT_EQ(page.settings().firingStep, 6);
    EXPECT_EQ(litIn(firingSpeedGroupName), std::vector<std::string>{"8 per second"});
    EXPECT_EQ(litIn(sensitivityGroupName), std::vector<std::string>{"High"});
}

TEST_F(X360PageItemsTest, KeysAndIconsTellWhichButtonSitsWhere) {
    ButtonMapBytes map = defaultButtonMap();
    map[7] = 12;         // the mouse's left button gives B
    map[12] = NO_BUTTON; // and the thumb button B gives nothing
    page.takeLoad({map, SENSITIVITY_MID, DEFAULT_FIRING_SPEED});

    EXPECT_EQ(item("Mouse left button").description, "B");
    EXPECT_EQ(item("Mouse thumb button B").description, noButtonName);
    EXPECT_EQ(item("B").description, "Mouse left button");
    EXPECT_EQ(item("B").rect, item("Mouse left button").rect) << "the icon sits on its key";
    EXPECT_EQ(item("RT").description, noKeyName);
    EXPECT_FALSE(item("Mouse left button").hasAction);
}

TEST_F(X360PageItemsTest, CommandActionsRunTheCommands) {
    activate("Reset");
    for (std::string_view place : keyPlaceNames) {
        EXPECT_EQ(item(place).description, noButtonName) << place;
    }
    EXPECT_EQ(item("LS").description, noKeyName);
    activate("Default");
    EXPECT_EQ(item("Controller stick press").description, "LS");
    EXPECT_EQ(item("LS").description, "Controller stick press");
    activate("SAVE");
    EXPECT_EQ(shell.saveGuards, 1);
    activate("PC Setup");
    EXPECT_EQ(shell.switches, std::vector<SetupPage>{SetupPage::Pc});
    EXPECT_EQ(item(dragHelpText).role, AccessibleRole::StatusText);
}

} // namespace
} // namespace vantrel::test
