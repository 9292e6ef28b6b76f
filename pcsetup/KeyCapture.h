#pragma once

#include "pcsetup/CapturePage.h"
#include "pcsetup/HeldKeys.h"
#include "pcsetup/KeyMap.h"

#include <string_view>

namespace vantrel {

inline constexpr std::string_view captureHelpText =
    "Press a key or two-key combination; then Click or Press ENTER to define; ESC to escape "
    "without change, BACKSPACE to clear.";

enum class KeyPressAnswer { Consumed, PassedOn };

// Defining a button's key: the press that is captured into the hovered slot, the held key that
// makes it a combination, and which presses reach the program's windows at all.
//
// Sees only the first key-down of each press; auto-repeats and releases are consumed before they
// reach it. Runs on the user-interface thread.
class KeyCapture {
public:
    KeyCapture(KeyMap& keyMap, CapturePage& page);

    // The slot whose label the pointer is over, or -1. A slot without a label counts as none.
    // Unchanged while capturing: capture always concerns the slot it began on.
    int hoverSlot() const { return hoverSlot_; }
    void setHoverSlot(int slot);
    bool isCapturing() const { return capturing_; }

    // Whether a first key-down of this key would be consumed; no effect. Lets a shortcut be
    // stopped before the press itself arrives.
    bool consumesPress(KeyCode keyCode) const;

    // keyCode is the code the press reports (a generic code for Shift, Ctrl and Alt); heldKeys
    // holds the keys down at this moment, the pressed one included. A key without a code (0) is
    // passed on.
    KeyPressAnswer onKeyPress(KeyCode keyCode, const HeldKeys& heldKeys);

    void beginCapture();
    void endCapture();

private:
    void capture(KeyCode pressed, const HeldKeys& heldKeys);
    void clearCapturedSlot();

    KeyMap& keyMap_;
    CapturePage& page_;
    int hoverSlot_ = -1;
    bool capturing_ = false;
};

} // namespace vantrel
