#pragma once

#include "pcsetup/KeyNames.h"

#include <array>
#include <bitset>

namespace vantrel {

// Shift, Ctrl and Alt: the generic code that a press of either key reports, and the codes of the
// left and the right key.
struct ModifierKey {
    KeyCode generic;
    KeyCode left;
    KeyCode right;
};

inline constexpr std::array<ModifierKey, 3> MODIFIER_KEYS{{
    {0x10, 0xA0, 0xA1},
    {0x11, 0xA2, 0xA3},
    {0x12, 0xA4, 0xA5},
}};

// The code that the press of a key reports to capture: a side-specific Shift, Ctrl or Alt reports
// its generic code, every other key its own.
KeyCode reportedKeyCode(KeyCode code);

// Which of the key codes 1 to 255 are held down at this moment, mouse buttons included. Kept from
// the presses and releases that the program sees; code 0 is never held.
class HeldKeys {
public:
    void press(KeyCode code);
    void release(KeyCode code);
    void releaseAll();

    // A generic Shift, Ctrl or Alt code is held while either of its keys is.
    bool isHeld(KeyCode code) const;

private:
    std::bitset<KEY_CODE_COUNT> held_;
};

} // namespace vantrel
