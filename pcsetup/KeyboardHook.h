#pragma once

namespace vantrel {

class KeyCapture;

// The host's keyboard hook of the PC Setup page: it sees every key event of the program before
// any window does, keeps the held-key state capture scans, and consumes or passes on each press
// by capture's answer. Called on the user-interface thread.
class KeyboardHook {
public:
    virtual ~KeyboardHook() = default;

    // Takes the program-wide mark "KbdHook" for the whole run; false when another copy of the
    // program holds it, and that copy keeps the keyboard.
    virtual bool claim() = 0;

    // Starts feeding key presses to capture, until remove().
    virtual void install(KeyCapture& capture) = 0;
    virtual void remove() = 0;
};

} // namespace vantrel
