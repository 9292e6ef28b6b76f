#include "RecordingCapturePage.h"

#include "pcsetup/LabelledSlots.h"

namespace vantrel::test {

void RecordingCapturePage::showLabelText(int slot, std::string_view text) {
    labels[slot] = text;
    calls.push_back("label " + std::to_string(slot) + " " + std::string(text));
}

void RecordingCapturePage::refreshSlotLabel(int slot) {
    if (isLabelledSlot(slot)) {
        labels[slot] = definitionText(keyMap_.mainKey(slot), keyMap_.heldKey(slot));
    }
    calls.push_back("refresh " + std::to_string(slot));
}

void RecordingCapturePage::showHelpText(std::string_view text) {
    helpText = text;
    calls.push_back("help " + std::string(text));
}

void RecordingCapturePage::updateHoverAtPointer() {
    calls.push_back("hover");
    if (hoverAtPointer) {
        hoverAtPointer();
    }
}

} // namespace vantrel::test
