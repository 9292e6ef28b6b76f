#include "pcsetup/CVantrelConfigDlg.h"

#include "device/DeviceLink.h"
#include "device/MonitorState.h"
#include "pcsetup/CBtnEdit.h"
#include "pcsetup/KeyboardFilter.h"
#include "pcsetup/LabelledSlots.h"
#include "pcsetup/PcPageText.h"
#include "pcsetup/ProfileActions.h"
#include "platform/RuntimeFolder.h"
#include "skin/SkinDrawing.h"
#include "skin/SkinPicture.h"

#include <QCursor>
#include <QLockFile>
#include <QMouseEvent>

namespace vantrel {

namespace {

// SAVE, RESET, EXIT, Load Profile, Save As Profile, then the background.
constexpr std::array<int, 6> pictureIds = {171, 173, 175, 174, 172, 221};
constexpr std::size_t BACKGROUND = 5;
constexpr std::array<int, CVantrelConfigDlg::BUTTON_COUNT> buttonControls = {1003, 1004, 2, 1010,
                                                                             149};
constexpr int QUALITY_NUMBER_CONTROL = 1026;
constexpr int QUALITY_BAR_CONTROL = 1028;
constexpr int QUALITY_AREA_CONTROL = 1065;
constexpr int HELP_LINE_CONTROL = 1005;

// Held for the whole run: a second copy that meets it takes no keyboard.
constexpr const char* hookLockName = "KbdHook";

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString definitionOf(const KeyMap& keyMap, int slot) {
    return QString::fromStdString(definitionText(keyMap.mainKey(slot), keyMap.heldKey(slot)));
}

} // namespace

CVantrelConfigDlg::CVantrelConfigDlg(QWidget* parent, PageServices services,
                                     FileDialogs& fileDialogs)
    : SkinPage(parent, dialogTemplate(PC_SETUP_DIALOG), services.messages), services_(services),
      fileDialogs_(fileDialogs), capture_(keyMap_, *this) {
}

CVantrelConfigDlg::~CVantrelConfigDlg() {
    keyboardFilter_.reset();
    stopMonitor(services_.monitor);
}

bool CVantrelConfigDlg::initialise() {
    if (!takeKeyboard()) {
        // Another copy holds the keyboard: this page gives up at once, with nothing to report.
        return true;
    }
    if (!loadSkinPictures(pictureIds, messages_, pictures_)) {
        return false;
    }
    measure();
    keyboardFilter_ = std::make_unique<KeyboardFilter>(capture_, this);
    keyboardFilter_->install();
    finishSkin();
    helpLine_ = {templateRect(HELP_LINE_CONTROL), ControlAlign::Left, fromView(defaultHelpText),
                 textColour};
    qualityValue_ = 0;
    qualityText_.clear();
    refreshLabels();
    return true;
}

bool CVantrelConfigDlg::takeKeyboard() {
    hookLock_ = std::make_unique<QLockFile>(
        QString::fromStdString((runtimeFolder() / hookLockName).string()));
    // Only a lock whose process has gone is stale, however old it is.
    hookLock_->setStaleLockTime(0);
    if (!hookLock_->tryLock()) {
        hookLock_.reset();
        return false;
    }
    return true;
}

void CVantrelConfigDlg::measure() {
    for (std::size_t i = 0; i < BUTTON_COUNT; ++i) {
        buttonRect_[i] = templateRect(buttonControls[i]);
    }
    highlight_ = QImage(QStringLiteral(":/BITMAP/143")).convertToFormat(QImage::Format_RGB32);
    barRect_ = templateRect(QUALITY_BAR_CONTROL);
    qualityArea_ = templateRect(QUALITY_AREA_CONTROL);
    qualityNumber_ = {templateRect(QUALITY_NUMBER_CONTROL), ControlAlign::Centre, {}, textColour};
    for (const LabelledSlot& entry : LABELLED_SLOTS) {
        const PixelRect rect = templateRect(entry.placeHolderId);
        // The place-holder only lends its rectangle; the page draws the label itself.
        auto* placeHolder = new CBtnEdit(this);
        placeHolder->setGeometry(toQRect(rect));
        placeHolder->hide();
        labels_[static_cast<std::size_t>(entry.slot)] = {
            rect, ControlAlign::Centre, {}, textColour};
    }
}

QString CVantrelConfigDlg::labelText(int slot) const {
    return slot >= 0 && slot < KEY_SLOT_COUNT ? labels_[static_cast<std::size_t>(slot)].text
                                              : QString();
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

void CVantrelConfigDlg::composePage(QPainter& canvas) {
    drawPicture(canvas, pictures_[BACKGROUND], pageRect());
    if (keyMap_.refreshAllLabels()) {
        // A device read while the page was hidden: every label takes the new map now.
        keyMap_.clearRefreshAllLabels();
        for (const LabelledSlot& entry : LABELLED_SLOTS) {
            labels_[static_cast<std::size_t>(entry.slot)].text = definitionOf(keyMap_, entry.slot);
        }
    }
    if (const int slot = capture_.hoverSlot(); slot >= 0) {
        const PixelRect& label = labels_[static_cast<std::size_t>(slot)].rect;
        copyBitmap(canvas, highlight_, label.left, label.top, label.width, label.height);
    }
    for (int button = 0; button < BUTTON_COUNT; ++button) {
        if (button != pressedButton_) {
            const auto index = static_cast<std::size_t>(button);
            drawPicture(canvas, pictures_[index], toQRect(buttonRect_[index]));
        }
    }
    drawQualityGauge(canvas, barRect_, qualityValue_);
    qualityNumber_.text = qualityText_;
}

void CVantrelConfigDlg::drawTexts(QPainter& canvas) {
    for (int slot = 0; slot < KEY_SLOT_COUNT; ++slot) {
        SkinText& label = labels_[static_cast<std::size_t>(slot)];
        const bool underCapture = capture_.isCapturing() && capture_.hoverSlot() == slot;
        label.colour = underCapture ? captureTextColour : textColour;
        drawText(canvas, label);
    }
    drawText(canvas, helpLine_);
    drawText(canvas, qualityNumber_);
}

void CVantrelConfigDlg::showLabelText(int slot, std::string_view text) {
    if (!isLabelledSlot(slot)) {
        return;
    }
    labels_[static_cast<std::size_t>(slot)].text = fromView(text);
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
    helpLine_.text = fromView(text);
    repaintHelpLine();
}

void CVantrelConfigDlg::updateHoverAtPointer() {
    leaveLabel();
    hoveredButton_ = -1;
    updateHover(mapFromGlobal(QCursor::pos()));
}

int CVantrelConfigDlg::labelAt(const QPoint& p) const {
    for (int slot = 0; slot < KEY_SLOT_COUNT; ++slot) {
        if (labels_[static_cast<std::size_t>(slot)].rect.contains(p.x(), p.y())) {
            return slot;
        }
    }
    return -1;
}

int CVantrelConfigDlg::buttonAt(const QPoint& p) const {
    for (int button = 0; button < BUTTON_COUNT; ++button) {
        if (buttonRect_[static_cast<std::size_t>(button)].contains(p.x(), p.y())) {
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

void CVantrelConfigDlg::repaintHelpLine() {
    repaintArea(helpLine_.rect);
}

void CVantrelConfigDlg::leaveLabel() {
    if (capture_.hoverSlot() >= 0) {
        repaintLabel(capture_.hoverSlot());
        capture_.setHoverSlot(-1);
    }
}

void CVantrelConfigDlg::updateHover(const QPoint& p) {
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
        if (helpLine_.text != fromView(defaultHelpText)) {
            showHelpText(defaultHelpText);
        }
    }
}

void CVantrelConfigDlg::mouseMoveEvent(QMouseEvent* event) {
    if (initialised() && !capture_.isCapturing()) {
        updateHover(event->position().toPoint());
    }
}

void CVantrelConfigDlg::mousePressEvent(QMouseEvent* event) {
    if (!initialised() || event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint p = event->position().toPoint();
    const int button = buttonAt(p);
    if (button >= 0) {
        if (button != pressedButton_ && pressedButton_ >= 0) {
            repaintArea(buttonRect_[static_cast<std::size_t>(pressedButton_)]);
        }
        pressedButton_ = button;
        repaintArea(buttonRect_[static_cast<std::size_t>(button)]);
        if (capture_.hoverSlot() >= 0) {
            capture_.endCapture();
            capture_.setHoverSlot(-1);
            showHelpText(defaultHelpText);
        }
        return;
    }
    if (pressedButton_ >= 0) {
        repaintArea(buttonRect_[static_cast<std::size_t>(pressedButton_)]);
        pressedButton_ = -1;
    }
    const int slot = capture_.hoverSlot();
    if (slot < 0) {
        return;
    }
    if (labels_[static_cast<std::size_t>(slot)].rect.contains(p.x(), p.y())) {
        if (!capture_.isCapturing()) {
            capture_.beginCapture();
            return;
        }
        capture_.endCapture();
        const int under = labelAt(p);
        capture_.setHoverSlot(under);
        showHelpText(under >= 0 ? labelHelpText : defaultHelpText);
        return;
    }
    capture_.endCapture();
    capture_.setHoverSlot(-1);
    showHelpText(defaultHelpText);
}

void CVantrelConfigDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (!initialised()) {
        // The main window's tab headers still switch away from an unfinished page.
        event->ignore();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint p = event->position().toPoint();
    if (pressedButton_ >= 0) {
        const int button = pressedButton_;
        // The button fires wherever it was released.
        runButton(static_cast<Button>(button));
        repaintArea(buttonRect_[static_cast<std::size_t>(button)]);
        pressedButton_ = -1;
    }
    if (services_.shell.tabArea(SetupPage::X360).contains(p.x(), p.y())) {
        if (capture_.hoverSlot() >= 0) {
            capture_.endCapture();
            capture_.setHoverSlot(-1);
            showHelpText(defaultHelpText);
        }
        services_.shell.switchTo(SetupPage::X360);
    }
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
    services_.monitor.samplingEnabled = 0;
    if (services_.link.WrEELong(keyMap_.currentKeyMap()) != 0) {
        showOk(messages_, commErrorMessage);
    } else {
        keyMap_.takeBaseline();
        showOk(messages_, pcSavedMessage);
    }
    services_.monitor.samplingEnabled = 1;
}

void CVantrelConfigDlg::restoreDefaults() {
    keyMap_.restoreDefaults();
    repaintPage();
    refreshLabels();
}

void CVantrelConfigDlg::setQuality(std::int32_t value, const QString& text) {
    qualityValue_ = value;
    qualityText_ = text;
    repaintAreaNow(qualityArea_);
}

} // namespace vantrel
