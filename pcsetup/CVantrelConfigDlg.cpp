#include "pcsetup/CVantrelConfigDlg.h"

#include "device/DeviceLink.h"
#include "device/MonitorState.h"
#include "pcsetup/KeyboardHook.h"
#include "pcsetup/LabelledSlots.h"
#include "pcsetup/PcPageText.h"
#include "pcsetup/PcSave.h"
#include "pcsetup/ProfileActions.h"
#include "skin/SkinPicture.h"
#include "window/PageTabItems.h"

namespace vantrel {

namespace {

// SAVE, RESET, EXIT, Load Profile, Save As Profile, then the background.
constexpr std::array<int, 6> pictureIds = {171, 173, 175, 174, 172, 221};
constexpr std::size_t BACKGROUND = 5;
constexpr std::array<int, CVantrelConfigDlg::BUTTON_COUNT> buttonControls = {1003, 1004, 2, 1010,
                                                                             149};
constexpr int HIGHLIGHT_BITMAP = 143;
constexpr int QUALITY_NUMBER_CONTROL = 1026;
constexpr int QUALITY_BAR_CONTROL = 1028;
constexpr int QUALITY_AREA_CONTROL = 1065;
constexpr int HELP_LINE_CONTROL = 1005;

std::string definitionOf(const KeyMap& keyMap, int slot) {
    return definitionText(keyMap.mainKey(slot), keyMap.heldKey(slot));
}

const std::string noText;

} // namespace

CVantrelConfigDlg::CVantrelConfigDlg(PageServices services, FileDialogs& fileDialogs,
                                     KeyboardHook& keyboard)
    : SkinPage(dialogTemplate(PC_SETUP_DIALOG), services.messages, services.resources),
      services_(services), fileDialogs_(fileDialogs), keyboard_(keyboard),
      capture_(keyMap_, *this) {
}

CVantrelConfigDlg::~CVantrelConfigDlg() {
    if (keyboardInstalled_) {
        keyboard_.remove();
    }
    stopMonitor(services_.monitor);
}

bool CVantrelConfigDlg::initialise() {
    if (!keyboard_.claim()) {
        return true;
    }
    if (!loadSkinPictures(resources_, pictureIds, messages_, pictures_)) {
        return false;
    }
    measure();
    keyboard_.install(capture_);
    keyboardInstalled_ = true;
    finishSkin();
    helpLine_ = {templateRect(HELP_LINE_CONTROL), ControlAlign::Left, std::string(defaultHelpText),
                 textColour};
    quality_.set(0, {});
    refreshLabels();
    return true;
}

void CVantrelConfigDlg::measure() {
    for (std::size_t i = 0; i < BUTTON_COUNT; ++i) {
        buttonRect_[i] = templateRect(buttonControls[i]);
    }
    highlight_ = resources_.loadBitmap(HIGHLIGHT_BITMAP);
    quality_.measure(templateRect(QUALITY_BAR_CONTROL), templateRect(QUALITY_NUMBER_CONTROL),
                     templateRect(QUALITY_AREA_CONTROL));
    for (const LabelledSlot& entry : LABELLED_SLOTS) {
        labels_[static_cast<std::size_t>(entry.slot)] = {
            templateRect(entry.placeHolderId), ControlAlign::Centre, {}, textColour};
    }
}

const std::string& CVantrelConfigDlg::labelText(int slot) const {
    return slot >= 0 && slot < KEY_SLOT_COUNT ? labels_[static_cast<std::size_t>(slot)].text
                                              : noText;
}

void CVantrelConfigDlg::takeDeviceKeyMap(const KeyMapBytes& block) {
    keyMap_.replaceFromDevice(block);
    refreshLabels();
}

void CVantrelConfigDlg::refreshLabels() {
    for (int slot = 0; slot < KEY_SLOT_COUNT; ++slot) {
        if (isLabelledSlot(slot) && keyMap_.slotNeedsRefresh(slot)) {
            labels_[static_cast<std::size_t>(slot)].text = definitionOf(keyMap_, slot);
            repaintLabel(slot);
        }
    }
    keyMap_.clearRefreshAllLabels();
}

void CVantrelConfigDlg::composePage(PageCanvas& canvas) const {
    canvas.drawPicture(pictures_[BACKGROUND], pageRect());
    if (const int slot = capture_.hoverSlot(); slot >= 0) {
        canvas.copyBitmap(highlight_, labels_[static_cast<std::size_t>(slot)].rect);
    }
    for (int button = 0; button < BUTTON_COUNT; ++button) {
        if (button != pressedButton_) {
            const auto index = static_cast<std::size_t>(button);
            canvas.drawPicture(pictures_[index], buttonRect_[index]);
        }
    }
    quality_.drawBar(canvas);
}

void CVantrelConfigDlg::drawTexts(PageCanvas& canvas) const {
    for (int slot = 0; slot < KEY_SLOT_COUNT; ++slot) {
        const SkinText& label = labels_[static_cast<std::size_t>(slot)];
        const bool underCapture = capture_.isCapturing() && capture_.hoverSlot() == slot;
        canvas.drawText(label.rect, label.align, label.text,
                        underCapture ? captureTextColour : label.colour);
    }
    helpLine_.draw(canvas);
    quality_.drawNumber(canvas);
}

void CVantrelConfigDlg::showLabelText(int slot, std::string_view text) {
    if (!isLabelledSlot(slot)) {
        return;
    }
    labels_[static_cast<std::size_t>(slot)].text = text;
    repaintAreaNow(labels_[static_cast<std::size_t>(slot)].rect);
}

void CVantrelConfigDlg::refreshSlotLabel(int slot) {
    if (!isLabelledSlot(slot)) {
        return;
    }
    labels_[static_cast<std::size_t>(slot)].text = definitionOf(keyMap_, slot);
    repaintLabel(slot);
}

void CVantrelConfigDlg::showHelpText(std::string_view text) {
    helpLine_.text = text;
    repaintArea(helpLine_.rect);
}

void CVantrelConfigDlg::updateHoverAtPointer() {
    leaveLabel();
    hoveredButton_ = -1;
    updateHover(pointerPosition());
}

int CVantrelConfigDlg::labelAt(PixelPoint p) const {
    for (int slot = 0; slot < KEY_SLOT_COUNT; ++slot) {
        if (labels_[static_cast<std::size_t>(slot)].rect.contains(p.x, p.y)) {
            return slot;
        }
    }
    return -1;
}

int CVantrelConfigDlg::buttonAt(PixelPoint p) const {
    for (int button = 0; button < BUTTON_COUNT; ++button) {
        if (buttonRect_[static_cast<std::size_t>(button)].contains(p.x, p.y)) {
            return button;
        }
    }
    return -1;
}

void CVantrelConfigDlg::repaintLabel(int slot) {
    if (slot >= 0 && slot < KEY_SLOT_COUNT) {
        repaintArea(labels_[static_cast<std::size_t>(slot)].rect);
    }
}

void CVantrelConfigDlg::leaveLabel() {
    if (capture_.hoverSlot() >= 0) {
        repaintLabel(capture_.hoverSlot());
        capture_.setHoverSlot(-1);
    }
}

void CVantrelConfigDlg::endCaptureAndHover() {
    if (capture_.hoverSlot() >= 0) {
        capture_.endCapture();
        capture_.setHoverSlot(-1);
        showHelpText(defaultHelpText);
    }
}

void CVantrelConfigDlg::updateHover(PixelPoint p) {
    const int slot = labelAt(p);
    if (slot >= 0) {
        hoveredButton_ = -1;
        if (slot != capture_.hoverSlot()) {
            repaintLabel(capture_.hoverSlot());
            capture_.setHoverSlot(slot);
            showHelpText(labelHelpText);
            repaintLabel(slot);
        }
        return;
    }
    leaveLabel();
    const int button = buttonAt(p);
    if (button >= 0) {
        if (button != hoveredButton_) {
            hoveredButton_ = button;
            showHelpText(buttonHelpTexts[button]);
        }
    } else {
        hoveredButton_ = -1;
        if (helpLine_.text != defaultHelpText) {
            showHelpText(defaultHelpText);
        }
    }
}

PointerAnswer CVantrelConfigDlg::pointerMoved(PixelPoint point, bool) {
    if (initialised() && !capture_.isCapturing()) {
        updateHover(point);
    }
    return PointerAnswer::Used;
}

PointerAnswer CVantrelConfigDlg::pointerPressed(PixelPoint p, PointerButton pressed) {
    if (!initialised() || pressed != PointerButton::Left) {
        return PointerAnswer::Used;
    }
    const int button = buttonAt(p);
    if (button >= 0) {
        if (button != pressedButton_ && pressedButton_ >= 0) {
            repaintArea(buttonRect_[static_cast<std::size_t>(pressedButton_)]);
        }
        pressedButton_ = button;
        repaintArea(buttonRect_[static_cast<std::size_t>(button)]);
        endCaptureAndHover();
        return PointerAnswer::Used;
    }
    if (pressedButton_ >= 0) {
        repaintArea(buttonRect_[static_cast<std::size_t>(pressedButton_)]);
        pressedButton_ = -1;
    }
    const int slot = capture_.hoverSlot();
    if (slot < 0) {
        return PointerAnswer::Used;
    }
    if (labels_[static_cast<std::size_t>(slot)].rect.contains(p.x, p.y)) {
        if (!capture_.isCapturing()) {
            capture_.beginCapture();
            return PointerAnswer::Used;
        }
        capture_.endCapture();
        const int under = labelAt(p);
        capture_.setHoverSlot(under);
        showHelpText(under >= 0 ? labelHelpText : defaultHelpText);
        return PointerAnswer::Used;
    }
    capture_.endCapture();
    capture_.setHoverSlot(-1);
    showHelpText(defaultHelpText);
    return PointerAnswer::Used;
}

PointerAnswer CVantrelConfigDlg::pointerReleased(PixelPoint p, PointerButton released) {
    if (!initialised()) {
        // The main window's tab headers still switch away from an unfinished page.
        return PointerAnswer::PassedOn;
    }
    if (released != PointerButton::Left) {
        return PointerAnswer::Used;
    }
    if (pressedButton_ >= 0) {
        const int button = pressedButton_;
        // The button fires wherever it was released.
        runButton(static_cast<Button>(button));
        repaintArea(buttonRect_[static_cast<std::size_t>(button)]);
        pressedButton_ = -1;
    }
    if (services_.shell.tabArea(SetupPage::X360).contains(p.x, p.y)) {
        endCaptureAndHover();
        services_.shell.switchTo(SetupPage::X360);
    }
    return PointerAnswer::Used;
}

void CVantrelConfigDlg::runButton(Button button) {
    switch (button) {
    case Button::Save:
        save();
        return;
    case Button::Reset:
        restoreDefaults();
        return;
    case Button::Exit:
        services_.shell.confirmExit(SetupPage::Pc);
        return;
    case Button::LoadProfile:
        loadProfile(keyMap_, fileDialogs_, messages_, [this] { refreshLabels(); });
        return;
    case Button::SaveProfile:
        saveProfile(keyMap_, fileDialogs_, messages_);
        return;
    }
}

void CVantrelConfigDlg::save() {
    if (!services_.shell.passesSaveGuard()) {
        return;
    }
    if (!keyMap_.isChanged()) {
        showOk(messages_, noChangeMessage);
        return;
    }
    saveToDevice();
}

void CVantrelConfigDlg::saveToDevice() {
    // The result shows while sampling is still held off, as the write itself was.
    const SamplingPause pause(services_.monitor);
    const PcSaveResult result = savePcKeyMap(keyMap_, services_.link);
    showOk(messages_, pcSaveText(result));
}

void CVantrelConfigDlg::restoreDefaults() {
    keyMap_.restoreDefaults();
    repaintPage();
    refreshLabels();
}

std::vector<AccessibleItem> CVantrelConfigDlg::accessibleItems() const {
    std::vector<AccessibleItem> items;
    if (!initialised()) {
        return items;
    }
    appendPageTabs(items, services_.shell, SetupPage::Pc);
    for (const LabelledSlot& entry : LABELLED_SLOTS) {
        const SkinText& label = labels_[static_cast<std::size_t>(entry.slot)];
        AccessibleItem& item =
            items.emplace_back(AccessibleRole::PushButton, std::string(entry.caption), label.rect);
        item.description = label.text;
        item.states.hovered = capture_.hoverSlot() == entry.slot;
        item.states.capturing = item.states.hovered && capture_.isCapturing();
        item.hasAction = true;
    }
    for (int button = 0; button < BUTTON_COUNT; ++button) {
        AccessibleItem& item =
            items.emplace_back(AccessibleRole::PushButton, std::string(buttonNames[button]),
                               buttonRect_[static_cast<std::size_t>(button)]);
        item.description = buttonHelpTexts[button];
        item.states.hovered = hoveredButton_ == button;
        item.states.pressed = pressedButton_ == button;
        item.hasAction = true;
    }
    items.push_back(quality_.accessibleItem());
    items.emplace_back(AccessibleRole::StatusText, helpLine_.text, helpLine_.rect);
    return items;
}

void CVantrelConfigDlg::setQuality(std::int32_t value, std::string_view text) {
    quality_.set(value, text);
    repaintAreaNow(quality_.area());
}

} // namespace vantrel
