#pragma once

#include <string_view>

namespace vantrel {

// What key capture needs from the PC Setup page. Called on the user-interface thread, from inside
// the handling of keyboard and mouse input.
class CapturePage {
public:
    virtual ~CapturePage() = default;

    // Sets the label's text and repaints its rectangle at once.
    virtual void showLabelText(int slot, std::string_view text) = 0;

    // Sets the label's text to the slot's definition in the key map and asks for a repaint;
    // nothing for a slot without a label.
    virtual void refreshSlotLabel(int slot) = 0;

    // Sets the help line and repaints it.
    virtual void showHelpText(std::string_view text) = 0;

    // Recomputes the hover at the pointer's current position, as after a mouse movement.
    virtual void updateHoverAtPointer() = 0;
};

} // namespace vantrel
