#include "pcsetup/KeyMap.h"

#include <gtest/gtest.h>

#include <climits>
#include <numeric>
#include <string>
#include <vector>

namespace vantrel {
namespace {

// A block unlike the defaults in every byte, held keys included.
KeyMapBytes deviceBlock() {
    KeyMapBytes block{};
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<std::uint8_t>(0x80 + i * 3);
    }
    return block;
}

std::vector<int> slotsNeedingRefresh(const KeyMap& map) {
    std::vector<int> slots;
    for (int slot = 0; slot < KEY_SLOT_COUNT; ++slot) {
        if (map.slotNeedsRefresh(slot)) {
            slots.push_back(slot);
        }
    }
    return slots;
}

std::vector<int> allSlots() {
    std::vector<int> slots(KEY_SLOT_COUNT);
    std::iota(slots.begin(), slots.end(), 0);
    return slots;
}

TEST(KeyMap, FreshMapHoldsTheDefaultsAgainstAnEmptyBaseline) {
    const KeyMap map;
    EXPECT_EQ(map.currentKeyMap(), DEFAULT_KEY_MAP);
    EXPECT_EQ(map.baselineKeyMap(), KeyMapBytes{});
    EXPECT_TRUE(map.isChanged());
    EXPECT_FALSE(map.refreshAllLabels());
    EXPECT_EQ(slotsNeedingRefresh(map), allSlots());
}

TEST(KeyMap, DefaultsAreTheFactoryKeysWithoutHeldKeys) {
    const std::string factoryKeys[KEY_SLOT_COUNT] = {
        "3", "2", "Shift(left)", "Space", "A", "F", "T", "E", "A", "D", "W",
        "S", "R", "R",           "4",     "1", "H", "K", "O", "C", "B", "A",
        "N", "R", "R",           "G",     "Z", "C", "L", "X", "Q", "F",
    };
    const KeyMap map;
    for (int slot = 0; slot < KEY_SLOT_COUNT; ++slot) {
        EXPECT_EQ(keyName(map.mainKey(slot)), factoryKeys[slot]) << "slot " << slot;
        EXPECT_EQ(map.heldKey(slot), 0) << "slot " << slot;
    }
}

TEST(KeyMap, DeviceReadTakesTheBlockAsItsBaselineAndRefreshesEveryLabelOnce) {
    KeyMap map;
    map.replaceFromDevice(deviceBlock());
    EXPECT_EQ(map.currentKeyMap(), deviceBlock());
    EXPECT_EQ(map.baselineKeyMap(), deviceBlock());
    EXPECT_FALSE(map.isChanged());
    EXPECT_TRUE(map.refreshAllLabels());
    EXPECT_EQ(slotsNeedingRefresh(map), allSlots());

    map.clearRefreshAllLabels();
    EXPECT_TRUE(slotsNeedingRefresh(map).empty());
}

TEST(KeyMap, CaptureChangesOneSlotAndUndoingItClearsTheChange) {
    KeyMap map;
    map.replaceFromDevice(deviceBlock());
    map.clearRefreshAllLabels();
    const KeyCode oldMain = map.mainKey(3);
    const KeyCode oldHeld = map.heldKey(3);

    map.setDefinition(3, 0x41, 0xA2);
    EXPECT_EQ(map.currentKeyMap()[3], 0x41);
    EXPECT_EQ(map.currentKeyMap()[35], 0xA2);
    EXPECT_EQ(definitionText(map.mainKey(3), map.heldKey(3)), "Ctrl(left) + A");
    EXPECT_EQ(map.baselineKeyMap(), deviceBlock());
    EXPECT_TRUE(map.isChanged());
    EXPECT_EQ(slotsNeedingRefresh(map), std::vector<int>{3});

    map.setDefinition(3, oldMain, oldHeld);
    EXPECT_FALSE(map.isChanged());

    map.clearSlot(3);
    EXPECT_EQ(map.currentKeyMap()[3], 0);
    EXPECT_EQ(map.currentKeyMap()[35], 0);
    EXPECT_TRUE(map.isChanged());
}

TEST(KeyMap, RestoringDefaultsResetsEverySlotAndComparesWithTheMapBefore) {
    KeyMap map;
    map.replaceFromDevice(deviceBlock());
    map.clearRefreshAllLabels();

    map.restoreDefaults();
    EXPECT_EQ(map.currentKeyMap(), DEFAULT_KEY_MAP);
    EXPECT_EQ(map.baselineKeyMap(), deviceBlock());
    EXPECT_TRUE(map.isChanged());
    EXPECT_EQ(slotsNeedingRefresh(map), allSlots());

    // Already the defaults: nothing changes, although the device holds another map.
    map.restoreDefaults();
    EXPECT_FALSE(map.isChanged());
    EXPECT_TRUE(slotsNeedingRefresh(map).empty());
}

TEST(KeyMap, LoadingAProfileComparesWithTheMapBeforeAndTwiceLeavesNothingChanged) {
    KeyMap map;
    map.replaceFromDevice(deviceBlock());
    map.clearRefreshAllLabels();
    KeyMapBytes profile = deviceBlock();
    profile[5] = 0x00;
    profile[32 + 20] = 0x41;

    map.replaceWithProfile(profile);
    EXPECT_EQ(map.currentKeyMap(), profile);
    EXPECT_EQ(map.baselineKeyMap(), deviceBlock());
    EXPECT_TRUE(map.isChanged());
    EXPECT_FALSE(map.refreshAllLabels());
    EXPECT_EQ(slotsNeedingRefresh(map), (std::vector<int>{5, 20}));

    map.replaceWithProfile(profile);
    EXPECT_FALSE(map.isChanged());
    EXPECT_TRUE(slotsNeedingRefresh(map).empty());
}

TEST(KeyMap, SlotsOutsideTheMapReadAsNoKeyAndIgnoreWrites) {
    KeyMap map;
    map.replaceFromDevice(deviceBlock());
    for (const int slot : {-1, KEY_SLOT_COUNT, 64, 1000, INT_MIN, INT_MAX}) {
        map.setDefinition(slot, 0x41, 0xA2);
        map.clearSlot(slot);
        EXPECT_EQ(map.currentKeyMap(), deviceBlock()) << "slot " << slot;
        EXPECT_EQ(map.mainKey(slot), 0) << "slot " << slot;
        EXPECT_EQ(map.heldKey(slot), 0) << "slot " << slot;
        EXPECT_FALSE(map.slotNeedsRefresh(slot)) << "slot " << slot;
    }
}

} // namespace
} // namespace vantrel
