#include "pcsetup/LabelledSlots.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vantrel {
namespace {

TEST(LabelledSlots, EighteenSlotsHaveALabelAndTheOtherFourteenNone) {
    const std::set<int> unlabelled{4, 12, 13, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 31};
    for (int slot = 0; slot < 32; ++slot) {
        EXPECT_EQ(isLabelledSlot(slot), !unlabelled.contains(slot)) << "slot " << slot;
    }
    EXPECT_FALSE(isLabelledSlot(-1));
    EXPECT_FALSE(isLabelledSlot(32));
}

TEST(LabelledSlots, EachGivesItsCaptionAndPlaceHolder) {
    struct Expected {
        int slot;
        std::string caption;
        int placeHolderId;
    };
    const Expected expected[] = {
        {0, "Dpad Down", 1007},
        {1, "Dpad Left", 1008},
        {2, "LT", 1001},
        {3, "LB", 1000},
        {5, "Guide", 1012},
        {6, "Left Joystick, Press", 1002},
        {7, "Back", 1011},
        {8, "Left Joystick, Left", 1014},
        {9, "Left Joystick, Right", 1013},
        {10, "Left Joystick, Up", 1016},
        {11, "Left Joystick, Down", 1015},
        {14, "Dpad Right", 1009},
        {15, "Dpad UP", 1006},
        {26, "X", 1019},
        {27, "Y", 1020},
        {28, "B", 1018},
        {29, "A", 1021},
        {30, "Start", 1017},
    };
    for (const Expected& e : expected) {
        const std::optional<LabelledSlot> entry = findLabelledSlot(e.slot);
        ASSERT_TRUE(entry.has_value()) << "slot " << e.slot;
        EXPECT_EQ(entry->caption, e.caption) << "slot " << e.slot;
        EXPECT_EQ(entry->placeHolderId, e.placeHolderId) << "slot " << e.slot;
    }
    EXPECT_FALSE(findLabelledSlot(4).has_value());
}

} // namespace
} // namespace vantrel
