#include "pcsetup/HeldKeys.h"

namespace vantrel {

KeyCode reportedKeyCode(KeyCode code) {
    for (const ModifierKey& modifier : MODIFIER_KEYS) {
        if (code == modifier.left || code == modifier.right) {
            return modifier.generic;
        }
    }
    return code;
}

void HeldKeys::press(KeyCode code) {
    if (code != 0) {
        held_.set(code);
    }
}

void HeldKeys::release(KeyCode code) {
    held_.reset(code);
}

void HeldKeys::releaseAll() {
    held_.reset();
}

bool HeldKeys::isHeld(KeyCode code) const {
    for (const ModifierKey& modifier : MODIFIER_KEYS) {
        if (code == modifier.generic) {
            return held_[code] || held_[modifier.left] || held_[modifier.right];
        }
    }
    return held_[code];
}

} // namespace vantrel
