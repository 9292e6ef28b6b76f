#include "pcsetup/KeyCapture.h"

#include "pcsetup/LabelledSlots.h"

#include <string>

namespace vantrel {
namespace {

constexpr KeyCode backspaceKey = 0x08;
constexpr KeyCode enterKey = 0x0D;
constexpr KeyCode escKey = 0x1B;

// The first key held down other than the pressed one, scanning from code 255 downwards; 0 when
// none is.
KeyCode firstHeldKeyBesides(KeyCode pressed, const HeldKeys& heldKeys) {
    for (int code = KEY_CODE_COUNT - 1; code >= 1; --code) {
        const auto key = static_cast<KeyCode>(code);
        if (key != pressed && heldKeys.isHeld(key)) {
            return key;
        }
    }
    return 0;
}

// A generic Shift, Ctrl or Alt press whose held key is that modifier's own left or right key.
bool isLoneModifier(KeyCode pressed, KeyCode held) {
    for (const ModifierKey& modifier : MODIFIER_KEYS) {
        if (pressed == modifier.generic && (held == modifier.left || held == modifier.right)) {
            return true;
        }
    }
    return false;
}

} // namespace

KeyCapture::KeyCapture(KeyMap& keyMap, CapturePage& page) : keyMap_(keyMap), page_(page) {
}

void KeyCapture::setHoverSlot(int slot) {
    if (!capturing_) {
        hoverSlot_ = isLabelledSlot(slot) ? slot : -1;
    }
}

bool KeyCapture::consumesPress(KeyCode keyCode) const {
    if (keyCode == 0) {
        return false;
    }
    if (hoverSlot_ < 0) {
        // Enter and Esc would end the page's dialog.
        return keyCode == enterKey || keyCode == escKey;
    }
    return true;
}

KeyPressAnswer KeyCapture::onKeyPress(KeyCode keyCode, const HeldKeys& heldKeys) {
    if (!consumesPress(keyCode)) {
        return KeyPressAnswer::PassedOn;
    }
    if (capturing_) {
        if (keyCode == backspaceKey) {
            clearCapturedSlot();
        } else {
            capture(keyCode, heldKeys);
        }
    }
    return KeyPressAnswer::Consumed;
}

void KeyCapture::capture(KeyCode pressed, const HeldKeys& heldKeys) {
    KeyCode mainKey = pressed;
    KeyCode heldKey = firstHeldKeyBesides(pressed, heldKeys);
    std::string text(keyName(pressed));
    if (isLoneModifier(pressed, heldKey)) {
        mainKey = heldKey;
        heldKey = 0;
        text = keyName(mainKey);
    } else if (heldKey != 0) {
        text = std::string(keyName(heldKey)) + std::string(heldKeySeparator) + text;
    }
    keyMap_.setDefinition(hoverSlot_, mainKey, heldKey);
    page_.showLabelText(hoverSlot_, text);
}

void KeyCapture::clearCapturedSlot() {
    keyMap_.clearSlot(hoverSlot_);
    capturing_ = false;
    page_.refreshSlotLabel(hoverSlot_);
    page_.updateHoverAtPointer();
}

void KeyCapture::beginCapture() {
    if (hoverSlot_ < 0) {
        return;
    }
    capturing_ = true;
    page_.showHelpText(captureHelpText);
    // Only the label: the key map keeps the definition until a key is pressed.
    page_.showLabelText(hoverSlot_, noKeyText);
}

void KeyCapture::endCapture() {
    capturing_ = false;
    if (hoverSlot_ >= 0) {
        page_.refreshSlotLabel(hoverSlot_);
    }
}

} // namespace vantrel
