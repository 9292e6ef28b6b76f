#include "x360setup/CKeydefDlg.h"

#include "device/DeviceLink.h"
#include "device/MonitorState.h"
#include "skin/SkinPicture.h"
#include "window/PageTabItems.h"
#include "x360setup/X360PageText.h"

#include <span>

namespace vantrel {

namespace {

// The page's picture table, in the order the page refers to it by index.
constexpr int KEY_HIGHLIGHTS = 0;
constexpr int BACKGROUND = 14;
constexpr int BUTTON_ICONS = 15;
constexpr int SENSITIVITY_LAMPS = 29;
constexpr int STEP_LAMPS = 32;
constexpr int RAISED_COMMANDS = 41;
constexpr int PICTURE_COUNT = 46;
static_assert(KEY_HIGHLIGHTS + X360_KEY_COUNT == BACKGROUND);
static_assert(BACKGROUND + 1 == BUTTON_ICONS);
static_assert(BUTTON_ICONS + X360_BUTTON_COUNT == SENSITIVITY_LAMPS);
static_assert(SENSITIVITY_LAMPS + SENSITIVITY_LEVELS == STEP_LAMPS);
static_assert(STEP_LAMPS + FIRING_STEPS == RAISED_COMMANDS);
static_assert(RAISED_COMMANDS + CKeydefDlg::COMMAND_COUNT == PICTURE_COUNT);
constexpr std::array<int, PICTURE_COUNT> pictureIds = {
    180,  178,  179,  191, 189, 188, 190, 181, 182, 184, 185, 186, 187, 183, // key highlights
    192,                                                                     // background
    195,  193,  194,  199, 200, 201, 202, 196, 197, 205, 204, 206, 203, 198, // button icons
    209,  208,  207,                                                         // Low, Mid, High
    1100, 1099, 1098, 210, 211, 212, 213, 214, 215, // 2 to 10 shots a second
    218,  216,  217,  220, 219,                     // Reset, Reload, Default, SAVE, EXIT
};

constexpr std::array<int, X360_KEY_COUNT> keyControls = {1063, 1061, 1062, 1060, 1058, 1056, 1059,
                                                         1050, 1049, 1055, 1053, 1054, 1052, 1048};
constexpr std::array<int, X360_BUTTON_COUNT> homeControls = {
    1037, 1035, 1036, 1094, 1095, 1096, 1097, 1043, 1044, 1042, 1040, 1046, 1041, 1045};
constexpr std::array<int, SENSITIVITY_LEVELS> sensitivityControls = {1087, 1086, 1085};
constexpr std::array<int, FIRING_STEPS> stepControls = {1051, 1047, 1039, 1038, 1034,
                                                        1033, 1032, 1031, 1030};
constexpr std::array<int, CKeydefDlg::COMMAND_COUNT> commandControls = {6, 3, 4, 7, 9};
constexpr int GAUGE_CONTROL = 1082;
constexpr int GAUGE_FRAME_CONTROL = 1066;
constexpr int QUALITY_NUMBER_CONTROL = 1064;
constexpr int COMMAND_AREA_CONTROL = 1057;
constexpr int HELP_LINE_CONTROL = 1078;

template <std::size_t N>
std::array<SkinOverlay, N> overlays(SkinResources& resources,
                                    const std::vector<std::vector<std::uint8_t>>& pictures,
                                    int first) {
    std::array<SkinOverlay, N> result;
    for (std::size_t i = 0; i < N; ++i) {
        result[i] = SkinOverlay::fromFullPage(
            resources.decodePicture(pictures[static_cast<std::size_t>(first) + i]));
    }
    return result;
}

} // namespace

CKeydefDlg::CKeydefDlg(PageServices services)
    : SkinPage(dialogTemplate(X360_SETUP_DIALOG), services.messages, services.resources),
      services_(services),
      dragDrop_(settings_, [this](const PixelRect& rect) { repaintArea(rect); }) {
}

bool CKeydefDlg::initialise() {
    if (!findSkinPictures(resources_, pictureIds, messages_, pictures_)) {
        return false;
    }
    finishSkin();
    measure();
    return true;
}

void CKeydefDlg::decodePictures() {
    // An unfinished page holds only the pictures before the one that was missing.
    if (!initialised() || pictures_.empty()) {
        return;
    }
    background_ = resources_.decodePicture(pictures_[BACKGROUND]);
    for (std::size_t code = 0; code < X360_BUTTON_COUNT; ++code) {
        buttonIcons_[code] = resources_.decodePicture(pictures_[BUTTON_ICONS + code]);
    }
    keyHighlights_ = overlays<X360_KEY_COUNT>(resources_, pictures_, KEY_HIGHLIGHTS);
    sensitivityLamps_ = overlays<SENSITIVITY_LEVELS>(resources_, pictures_, SENSITIVITY_LAMPS);
    stepLamps_ = overlays<FIRING_STEPS>(resources_, pictures_, STEP_LAMPS);
    raisedCommands_ = overlays<COMMAND_COUNT>(resources_, pictures_, RAISED_COMMANDS);
    // Decoded once: the encoded bytes and the full-page pictures are not kept.
    pictures_.clear();
}

void CKeydefDlg::measure() {
    const PixelRect page = pageRect();
    hoverRepaintRect_ = {0, 0, page.width * 4 / 5, page.height};
    KeyRects keyRect{};
    IconRects homeRect{};
    for (std::size_t i = 0; i < X360_KEY_COUNT; ++i) {
        keyRect[i] = templateRect(keyControls[i]);
        homeRect[i] = templateRect(homeControls[i]);
    }
    dragDrop_.setGeometry(keyRect, homeRect, hoverRepaintRect_);
    quality_.measure(templateRect(GAUGE_CONTROL), templateRect(QUALITY_NUMBER_CONTROL),
                     templateRect(GAUGE_FRAME_CONTROL));
    for (std::size_t i = 0; i < SENSITIVITY_LEVELS; ++i) {
        sensitivityRect_[i] = templateRect(sensitivityControls[i]);
    }
    for (std::size_t i = 0; i < FIRING_STEPS; ++i) {
        stepRect_[i] = templateRect(stepControls[i]);
    }
    commandArea_ = templateRect(COMMAND_AREA_CONTROL);
    commandArea_.left -= 1;
    commandArea_.top += 1;
    for (std::size_t i = 0; i < COMMAND_COUNT; ++i) {
        commandRect_[i] = templateRect(commandControls[i]);
    }
    // The help text may run past its line, so its whole neighbourhood is drawn again.
    helpRepaintRect_ = {page.left, page.top - 20, page.width - 50, page.height + 20};
    helpLine_ = {templateRect(HELP_LINE_CONTROL), ControlAlign::Left, {}, textColour};
}

void CKeydefDlg::composePage(PageCanvas& canvas) const {
    const PixelRect page = pageRect();
    canvas.drawPicture(background_, page);
    if (dragDrop_.hoverKey() != NO_DRAG) {
        drawOverlay(canvas, keyHighlights_[static_cast<std::size_t>(dragDrop_.hoverKey())], page);
    }
    for (std::size_t code = 0; code < X360_BUTTON_COUNT; ++code) {
        canvas.drawPicture(buttonIcons_[code], dragDrop_.iconRect()[code]);
    }
    if (const auto lamp = sensitivityLamp(settings_.sensitivity)) {
        drawOverlay(canvas, sensitivityLamps_[static_cast<std::size_t>(*lamp)], page);
    }
    if (settings_.firingStep >= 0 && settings_.firingStep < FIRING_STEPS) {
        drawOverlay(canvas, stepLamps_[static_cast<std::size_t>(settings_.firingStep)], page);
    }
    for (int command = 0; command < COMMAND_COUNT; ++command) {
        if (command != pressedCommand_) {
            drawOverlay(canvas, raisedCommands_[static_cast<std::size_t>(command)], page);
        }
    }
    quality_.drawBar(canvas);
}

void CKeydefDlg::drawTexts(PageCanvas& canvas) const {
    helpLine_.draw(canvas);
    quality_.drawNumber(canvas);
}

void CKeydefDlg::setHelpText(std::string_view text) {
    if (helpLine_.text != text) {
        helpLine_.text = text;
        repaintArea(helpRepaintRect_);
    }
}

PointerAnswer CKeydefDlg::pointerPressed(PixelPoint p, PointerButton button) {
    if (!initialised()) {
        return PointerAnswer::PassedOn;
    }
    if (button != PointerButton::Left) {
        return PointerAnswer::Used;
    }
    if (commandArea_.contains(p.x, p.y)) {
        const int command = firstHolding(commandRect_, p.x, p.y);
        if (command >= 0) {
            pressedCommand_ = command;
            repaintPage();
        }
    } else if (dragDrop_.takeUp(p.x, p.y)) {
        setHelpText(dropHelpText);
    }
    return PointerAnswer::Used;
}

PointerAnswer CKeydefDlg::pointerMoved(PixelPoint p, bool leftHeld) {
    if (!initialised()) {
        return PointerAnswer::PassedOn;
    }
    if (leftHeld) {
        dragDrop_.drag(p.x, p.y);
        return PointerAnswer::Used;
    }
    if (commandArea_.contains(p.x, p.y)) {
        const int command = firstHolding(commandRect_, p.x, p.y);
        setHelpText(command >= 0 ? commandHelpTexts[command] : dragHelpText);
    } else if (firstHolding(dragDrop_.iconRect(), p.x, p.y) < 0) {
        setHelpText(dragHelpText);
    }
    return PointerAnswer::Used;
}

PointerAnswer CKeydefDlg::pointerReleased(PixelPoint p, PointerButton button) {
    if (!initialised()) {
        // The main window's tab headers still switch away from an unfinished page.
        return PointerAnswer::PassedOn;
    }
    if (button != PointerButton::Left) {
        return PointerAnswer::Used;
    }
    dragDrop_.drop(p.x, p.y);
    if (services_.shell.tabArea(SetupPage::Pc).contains(p.x, p.y)) {
        services_.shell.switchTo(SetupPage::Pc);
    } else {
        clickLamps(p.x, p.y);
    }
    if (pressedCommand_ >= 0) {
        // The command fires wherever the button was released; it stays pressed on screen while
        // its action runs, message boxes included.
        runCommand(static_cast<Command>(pressedCommand_));
        repaintPage();
        pressedCommand_ = -1;
    } else {
        setHelpText(dragHelpText);
    }
    return PointerAnswer::Used;
}

void CKeydefDlg::clickLamps(int x, int y) {
    const std::optional<int> litLevel = sensitivityLamp(settings_.sensitivity);
    for (int lamp = 0; lamp < SENSITIVITY_LEVELS; ++lamp) {
        if (sensitivityRect_[static_cast<std::size_t>(lamp)].contains(x, y) && litLevel != lamp) {
            settings_.setSensitivity(static_cast<std::int8_t>(SENSITIVITY_LOW + lamp));
            if (litLevel) {
                repaintArea(sensitivityRect_[static_cast<std::size_t>(*litLevel)]);
            }
            repaintArea(sensitivityRect_[static_cast<std::size_t>(lamp)]);
            return;
        }
    }
    const int litStep = settings_.firingStep;
    for (int step = 0; step < FIRING_STEPS; ++step) {
        if (stepRect_[static_cast<std::size_t>(step)].contains(x, y) && litStep != step) {
            settings_.setFiringStep(step);
            if (litStep >= 0 && litStep < FIRING_STEPS) {
                repaintArea(stepRect_[static_cast<std::size_t>(litStep)]);
            }
            repaintArea(stepRect_[static_cast<std::size_t>(step)]);
            return;
        }
    }
}

void CKeydefDlg::runCommand(Command command) {
    switch (command) {
    case Command::Clear:
        settings_.clearX360Settings();
        dragDrop_.placeAllHome();
        return;
    case Command::Restore:
        reload();
        return;
    case Command::Default:
        settings_.restoreX360Defaults();
        dragDrop_.placeOnKeys();
        return;
    case Command::Save:
        save();
        return;
    case Command::Exit:
        services_.shell.confirmExit(SetupPage::X360);
        return;
    }
}

void CKeydefDlg::takeLoad(const X360DeviceItems& items) {
    // The device's map replaces whatever a drag under way was doing to the old one.
    dragDrop_.cancel();
    settings_.takeDeviceItems(items);
    if (items.buttonMap) {
        dragDrop_.placeOnKeys();
    }
    repaintPage();
    if (!items.complete()) {
        showOk(messages_, commErrorMessage);
    }
}

void CKeydefDlg::reload() {
    if (services_.monitor.deviceConnected == 0) {
        showOk(messages_, deviceMissingMessage);
        return;
    }
    const SamplingPause pause(services_.monitor);
    takeLoad(readX360Items(services_.link));
}

void CKeydefDlg::save() {
    if (!services_.shell.passesSaveGuard()) {
        return;
    }
    const SamplingPause pause(services_.monitor);
    showSaveResult(saveX360Settings(settings_, services_.link));
}

void CKeydefDlg::saveForExit() {
    showSaveResult(saveX360Settings(settings_, services_.link));
}

void CKeydefDlg::showSaveResult(X360SaveResult result) {
    showOk(messages_, x360SaveText(result));
}

std::vector<AccessibleItem> CKeydefDlg::accessibleItems() const {
    std::vector<AccessibleItem> items;
    if (!initialised()) {
        return items;
    }
    appendPageTabs(items, services_.shell, SetupPage::X360);
    std::array<int, X360_BUTTON_COUNT> keyOfButton;
    keyOfButton.fill(-1);
    for (int key = 0; key < X360_KEY_COUNT; ++key) {
        const std::uint8_t code = settings_.buttonMap[static_cast<std::size_t>(key)];
        AccessibleItem& item =
            items.emplace_back(AccessibleRole::Label, std::string(keyPlaceNames[key]),
                               dragDrop_.keyRect()[static_cast<std::size_t>(key)]);
        item.description = isButtonCode(code) ? buttonLegends[code] : noButtonName;
        item.states.hovered = dragDrop_.hoverKey() == key;
        if (isButtonCode(code)) {
            keyOfButton[code] = key;
        }
    }
    for (int code = 0; code < X360_BUTTON_COUNT; ++code) {
        const int key = keyOfButton[static_cast<std::size_t>(code)];
        AccessibleItem& item =
            items.emplace_back(AccessibleRole::Picture, std::string(buttonLegends[code]),
                               dragDrop_.iconRect()[static_cast<std::size_t>(code)]);
        item.description = key >= 0 ? keyPlaceNames[key] : noKeyName;
        item.states.pressed = dragDrop_.dragButton() == code;
    }
    const auto appendLamps = [&items](std::string_view groupName, std::span<const PixelRect> rects,
                                      std::span<const std::string_view> names, int lit) {
        const int group = static_cast<int>(items.size());
        items.emplace_back(AccessibleRole::RadioGroup, std::string(groupName), boundingRect(rects));
        for (std::size_t i = 0; i < rects.size(); ++i) {
            AccessibleItem& lamp =
                items.emplace_back(AccessibleRole::RadioButton, std::string(names[i]), rects[i]);
            lamp.states.checked = lit == static_cast<int>(i);
            lamp.hasAction = true;
            lamp.parent = group;
        }
    };
    appendLamps(sensitivityGroupName, sensitivityRect_, sensitivityNames,
                sensitivityLamp(settings_.sensitivity).value_or(-1));
    appendLamps(firingSpeedGroupName, stepRect_, firingStepNames, settings_.firingStep);
    for (int command = 0; command < COMMAND_COUNT; ++command) {
        AccessibleItem& item =
            items.emplace_back(AccessibleRole::PushButton, std::string(commandNames[command]),
                               commandRect_[static_cast<std::size_t>(command)]);
        item.description = commandHelpTexts[command];
        item.states.pressed = pressedCommand_ == command;
        item.hasAction = true;
    }
    items.push_back(quality_.accessibleItem());
    items.emplace_back(AccessibleRole::StatusText, helpLine_.text, helpLine_.rect);
    return items;
}

void CKeydefDlg::setQuality(std::int32_t value, std::string_view text) {
    quality_.set(value, text);
    repaintAreaNow(quality_.area());
}

} // namespace vantrel
