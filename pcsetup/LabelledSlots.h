#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace vantrel {

// A key slot whose device button the PC Setup page shows under a label.
struct LabelledSlot {
    int slot;
    std::string_view caption; // as printed beside the label on the page's background
    int placeHolderId;        // the dialog control whose rectangle the label takes over
};

inline constexpr std::size_t LABELLED_SLOT_COUNT = 18;

// In slot order. The other fourteen slots have no button on the page; their bytes travel
// unchanged between device, memory and profile files.
inline constexpr std::array<LabelledSlot, LABELLED_SLOT_COUNT> LABELLED_SLOTS{{
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
}};

static_assert(std::adjacent_find(LABELLED_SLOTS.begin(), LABELLED_SLOTS.end(),
                                 [](const LabelledSlot& a, const LabelledSlot& b) {
                                     return a.slot >= b.slot;
                                 }) == LABELLED_SLOTS.end(),
              "labelled slots are listed once each, in slot order");

constexpr std::optional<LabelledSlot> findLabelledSlot(int slot) {
    for (const LabelledSlot& entry : LABELLED_SLOTS) {
        if (entry.slot == slot) {
            return entry;
        }
    }
    return std::nullopt;
}

constexpr bool isLabelledSlot(int slot) {
    return findLabelledSlot(slot).has_value();
}

} // namespace vantrel
