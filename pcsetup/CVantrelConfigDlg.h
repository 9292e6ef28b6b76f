#pragma once

#include "pcsetup/CapturePage.h"
#include "pcsetup/KeyCapture.h"
#include "pcsetup/KeyMap.h"
#include "platform/FileDialogs.h"
#include "skin/QualityGauge.h"
#include "skin/SkinPage.h"
#include "skin/SkinText.h"
#include "window/PageShell.h"

#include <array>
#include <vector>

namespace vantrel {

class KeyboardHook;

// The PC Setup page: a label for each of the eighteen buttons that send keys, defined by
// pointing, clicking and pressing, the pad quality gauge and five picture buttons.
class CVantrelConfigDlg : public SkinPage, private CapturePage {
public:
    enum class Button { Save, Reset, Exit, LoadProfile, SaveProfile };
    static constexpr int BUTTON_COUNT = 5;

    CVantrelConfigDlg(PageServices services, FileDialogs& fileDialogs, KeyboardHook& keyboard);
    ~CVantrelConfigDlg() override;

    // Takes the keyboard, loads the pictures, measures the page and writes every label. False,
    // after its message, when a picture is missing: the page then stays unfinished. A page that
    // finds the keyboard held by another copy gives up at once, with nothing to report.
    bool initialise();

    KeyMap& keyMap() { return keyMap_; }
    const KeyMap& keyMap() const { return keyMap_; }
    KeyCapture& capture() { return capture_; }
    const KeyCapture& capture() const { return capture_; }
    const std::string& labelText(int slot) const;
    const std::string& helpText() const { return helpLine_.text; }
    const QualityGauge& quality() const { return quality_; }
    int hoveredButton() const { return hoveredButton_; }
    int pressedButton() const { return pressedButton_; }

    // The key map the monitor read, handed over on the user-interface thread: the map and its
    // baseline take it, and every label its new definition.
    void takeDeviceKeyMap(const KeyMapBytes& block);

    // Rewrites the labels whose slots changed since the baseline, or all after a device read.
    void refreshLabels();

    // The EXIT's save of the key map: sampling paused around the write, its result message.
    void saveToDevice();

    // A new reading, drawn at once.
    void setQuality(std::int32_t value, std::string_view text);

    PointerAnswer pointerPressed(PixelPoint point, PointerButton button) override;
    PointerAnswer pointerMoved(PixelPoint point, bool leftHeld) override;
    PointerAnswer pointerReleased(PixelPoint point, PointerButton button) override;

    // The tabs, the eighteen labels named by their captions and described by their definitions,
    // the five picture buttons, the quality and the help line.
    std::vector<AccessibleItem> accessibleItems() const override;

protected:
    void composePage(PageCanvas& canvas) const override;
    void drawTexts(PageCanvas& canvas) const override;

private:
    void showLabelText(int slot, std::string_view text) override;
    void refreshSlotLabel(int slot) override;
    void showHelpText(std::string_view text) override;
    void updateHoverAtPointer() override;

    void measure();
    void updateHover(PixelPoint p);
    void leaveLabel();
    void endCaptureAndHover();
    void runButton(Button button);
    void save();
    void restoreDefaults();
    int labelAt(PixelPoint p) const;
    int buttonAt(PixelPoint p) const;
    void repaintLabel(int slot);

    PageServices services_;
    FileDialogs& fileDialogs_;
    KeyboardHook& keyboard_;
    KeyMap keyMap_;
    KeyCapture capture_;
    bool keyboardInstalled_ = false;

    std::vector<SkinImage> pictures_;
    SkinImage highlight_;
    std::array<PixelRect, BUTTON_COUNT> buttonRect_{};
    std::array<SkinText, KEY_SLOT_COUNT> labels_;
    SkinText helpLine_;
    QualityGauge quality_;
    int hoveredButton_ = -1;
    int pressedButton_ = -1;
};

} // namespace vantrel
