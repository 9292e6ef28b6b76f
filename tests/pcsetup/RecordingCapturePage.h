#pragma once

#include "pcsetup/CapturePage.h"
#include "pcsetup/KeyMap.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vantrel::test {

// Keeps the label texts and the help line as the page would show them, and logs every call in
// order: "label <slot> <text>", "refresh <slot>", "help <text>", "hover".
class RecordingCapturePage : public CapturePage {
public:
    explicit RecordingCapturePage(const KeyMap& keyMap) : keyMap_(keyMap) {}

    std::map<int, std::string> labels;
    std::string helpText;
    std::vector<std::string> calls;
    // Stands for the page's hover computation at the pointer.
    std::function<void()> hoverAtPointer;

    void showLabelText(int slot, std::string_view text) override;
    void refreshSlotLabel(int slot) override;
    void showHelpText(std::string_view text) override;
    void updateHoverAtPointer() override;

private:
    const KeyMap& keyMap_;
};

} // namespace vantrel::test
