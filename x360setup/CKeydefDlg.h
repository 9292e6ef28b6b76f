#pragma once

#include "skin/QualityGauge.h"
#include "skin/SkinOverlay.h"
#include "skin/SkinPage.h"
#include "skin/SkinText.h"
#include "window/PageShell.h"
#include "x360setup/ButtonDragDrop.h"
#include "x360setup/X360Settings.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vantrel {

// The XBox 360 Setup page: the device's 14 keys with the controller buttons' icons dragged onto
// them, the key sensitivity and firing speed lamps, the pad quality gauge and five commands.
class CKeydefDlg : public SkinPage {
public:
    enum class Command { Clear, Restore, Default, Save, Exit };
    static constexpr int COMMAND_COUNT = 5;

    explicit CKeydefDlg(PageServices services);

    // Finds the pictures and measures the page. False, after its message, when a picture is
    // missing; the page then stays unfinished.
    bool initialise();

    // Decodes the pictures found, once: when the program is idle after the first page was drawn,
    // or at the latest when this page is first shown, so that starting waits only for the page
    // shown first.
    void decodePictures();

    X360Settings& settings() { return settings_; }
    const ButtonDragDrop& dragDrop() const { return dragDrop_; }
    const std::string& helpText() const { return helpLine_.text; }
    const QualityGauge& quality() const { return quality_; }
    int pressedCommand() const { return pressedCommand_; }

    // What a load read, handed over on the user-interface thread: the record takes it, the
    // icons follow, the page is drawn again; a load that fell short says so.
    void takeLoad(const X360DeviceItems& items);

    // The EXIT's save: its result message, without pausing the sampling.
    void saveForExit();
    bool isChanged() const { return settings_.x360Changed(); }

    // A new reading, drawn at once.
    void setQuality(std::int32_t value, std::string_view text);

    PointerAnswer pointerPressed(PixelPoint point, PointerButton button) override;
    PointerAnswer pointerMoved(PixelPoint point, bool leftHeld) override;
    PointerAnswer pointerReleased(PixelPoint point, PointerButton button) override;

    // The tabs, the 14 keys named by their place and described by the button they hold, the 14
    // icons, the two lamp groups, the five commands, the help line and the quality.
    std::vector<AccessibleItem> accessibleItems() const override;

protected:
    void composePage(PageCanvas& canvas) const override;
    void drawTexts(PageCanvas& canvas) const override;

private:
    void measure();
    void setHelpText(std::string_view text);
    void clickLamps(int x, int y);
    void runCommand(Command command);
    void reload();
    void save();
    void showSaveResult(X360SaveResult result);

    PageServices services_;
    X360Settings settings_;
    ButtonDragDrop dragDrop_;

    std::vector<std::vector<std::uint8_t>> pictures_;
    SkinImage background_;
    std::array<SkinImage, X360_BUTTON_COUNT> buttonIcons_;
    std::array<SkinOverlay, X360_KEY_COUNT> keyHighlights_;
    std::array<SkinOverlay, SENSITIVITY_LEVELS> sensitivityLamps_;
    std::array<SkinOverlay, FIRING_STEPS> stepLamps_;
    std::array<SkinOverlay, COMMAND_COUNT> raisedCommands_;

    std::array<PixelRect, SENSITIVITY_LEVELS> sensitivityRect_{};
    std::array<PixelRect, FIRING_STEPS> stepRect_{};
    std::array<PixelRect, COMMAND_COUNT> commandRect_{};
    PixelRect commandArea_, hoverRepaintRect_, helpRepaintRect_;

    SkinText helpLine_;
    QualityGauge quality_;
    int pressedCommand_ = -1;
};

} // namespace vantrel
