#pragma once

#include "pcsetup/CapturePage.h"
#include "pcsetup/KeyCapture.h"
#include "pcsetup/KeyMap.h"
#include "platform/FileDialogs.h"
#include "skin/PageShell.h"
#include "skin/SkinPage.h"

#include <array>
#include <memory>
#include <vector>

class QLockFile;

namespace vantrel {

class KeyboardFilter;

// The PC Setup page: a label for each of the eighteen buttons that send keys, defined by
// pointing, clicking and pressing, the pad quality gauge and five picture buttons.
class CVantrelConfigDlg : public SkinPage, private CapturePage {
public:
    enum class Button { Save, Reset, Exit, LoadProfile, SaveProfile };
    static constexpr int BUTTON_COUNT = 5;

    CVantrelConfigDlg(QWidget* parent, PageServices services, FileDialogs& fileDialogs);
    ~CVantrelConfigDlg() override;

    // Loads the pictures, measures the page, takes the keyboard and writes every label. False,
    // after its message, when a picture is missing: the page then stays unfinished.
    bool initialise();

    KeyMap& keyMap() { return keyMap_; }
    const KeyCapture& capture() const { return capture_; }
    QString labelText(int slot) const;
    QString helpText() const { return helpLine_.text; }
    QString qualityNumberText() const { return qualityNumber_.text; }
    int hoveredButton() const { return hoveredButton_; }
    int pressedButton() const { return pressedButton_; }

    // Rewrites the labels whose slots changed since the baseline, or all after a device read.
    void refreshLabels();

    // The EXIT's save of the key map: sampling paused around the write, its result message.
    void saveToDevice();

    std::int32_t qualityValue() const { return qualityValue_; }
    void setQuality(std::int32_t value, const QString& text);

protected:
    void composePage(QPainter& canvas) override;
    void drawTexts(QPainter& canvas) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showLabelText(int slot, std::string_view text) override;
    void refreshSlotLabel(int slot) override;
    void showHelpText(std::string_view text) override;
    void updateHoverAtPointer() override;

    bool takeKeyboard();
    void measure();
    void updateHover(const QPoint& p);
    void leaveLabel();
    void runButton(Button button);
    void save();
    void restoreDefaults();
    int labelAt(const QPoint& p) const;
    int buttonAt(const QPoint& p) const;
    void repaintLabel(int slot);
    void repaintHelpLine();

    PageServices services_;
    FileDialogs& fileDialogs_;
    KeyMap keyMap_;
    KeyCapture capture_;
    std::unique_ptr<QLockFile> hookLock_;
    std::unique_ptr<KeyboardFilter> keyboardFilter_;

    std::vector<QImage> pictures_;
    QImage highlight_;
    std::array<PixelRect, BUTTON_COUNT> buttonRect_{};
    std::array<SkinText, KEY_SLOT_COUNT> labels_;
    PixelRect barRect_, qualityArea_;
    SkinText helpLine_;
    SkinText qualityNumber_;
    int hoveredButton_ = -1;
    int pressedButton_ = -1;
    std::int32_t qualityValue_ = 0;
    QString qualityText_;
};

} // namespace vantrel
