// The real XBox 360 page, drawn in software, fed arbitrary device loads (items missing at random)
// and arbitrary mouse input: moves, drags, drops, clicks and double clicks anywhere, and loads that
// arrive in the middle of a drag. After every step the record, the icons and the drag state are
// held against what the input did; every few inputs the page is drawn and its lamps are read
// back from the pixels.
#include "device/DeviceLink.h"
#include "device/MonitorState.h"
#include "fuzz/ByteReader.h"
#include "fuzz/CountingMessages.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/LampPixels.h"
#include "fuzz/QuietShell.h"
#include "tests/skin/SourceSkinResources.h"
#include "tests/skin/TestCanvas.h"
#include "x360setup/CKeydefDlg.h"
#include "x360setup/X360PageText.h"

#include <algorithm>
#include <set>
#include <utility>

namespace vantrel::fuzz {
namespace {

// The icon is held this far right of and below its top-left corner while it is dragged.
constexpr int GRIP = 12;
constexpr int ICON_SIZE = 30;
// Drawing the whole page costs far more than the rest of an input; one input in this many is
// drawn, the first of a run always, so that a single input replayed is drawn too.
constexpr unsigned DRAW_EVERY = 32;
constexpr PixelPoint nowhere{-1000, -1000};

X360DeviceItems factoryItems() {
    return {defaultButtonMap(), SENSITIVITY_MID, DEFAULT_FIRING_SPEED};
}

// One page for the whole run, as the program has, with the program's own pictures.
struct Fixture {
    Fixture() {
        require(page.initialise(), "the page finds its pictures");
        page.decodePictures();
        // Until the first load every icon rests at home.
        homes = page.dragDrop().iconRect();
        lamps.emplace([this](std::int8_t sensitivity, std::int8_t firingSpeed) {
            page.takeLoad({defaultButtonMap(), sensitivity, firingSpeed});
            return draw();
        });
    }

    // The whole page composed as a paint would.
    const SkinImage& draw() {
        canvas.emplace(page.pageRect().width, page.pageRect().height);
        page.compose(*canvas);
        return canvas->image();
    }

    CountingMessages messages;
    DeviceLink link{messages};
    MonitorState monitor;
    QuietShell shell;
    test::SourceSkinResources resources;
    CKeydefDlg page{{messages, link, monitor, shell, resources}};
    std::optional<test::TestCanvas> canvas;
    IconRects homes{};
    std::optional<LampPixels> lamps;
};

Fixture* fixture = nullptr;

int keyUnder(const KeyRects& keys, PixelPoint at) {
    for (int key = 0; key < X360_KEY_COUNT; ++key) {
        if (keys[static_cast<std::size_t>(key)].contains(at.x, at.y)) {
            return key;
        }
    }
    return NO_DRAG;
}

int lowestIconUnder(const IconRects& icons, PixelPoint at) {
    for (int code = 0; code < X360_BUTTON_COUNT; ++code) {
        if (icons[static_cast<std::size_t>(code)].contains(at.x, at.y)) {
            return code;
        }
    }
    return NO_DRAG;
}

int countOf(const ButtonMapBytes& map, int code) {
    return static_cast<int>(std::count(map.begin(), map.end(), code));
}

bool isUnique(const ButtonMapBytes& map) {
    for (int code = 0; code < X360_BUTTON_COUNT; ++code) {
        if (countOf(map, code) > 1) {
            return false;
        }
    }
    return true;
}

// Everything one step may change, taken before it.
struct Snapshot {
    explicit Snapshot(CKeydefDlg& page)
        : map(page.settings().buttonMap), icons(page.dragDrop().iconRect()),
          dragButton(page.dragDrop().dragButton()), hoverKey(page.dragDrop().hoverKey()),
          pressedCommand(page.pressedCommand()) {}

    ButtonMapBytes map;
    IconRects icons;
    int dragButton;
    int hoverKey;
    int pressedCommand;
};

// What a step may have done to the map: moved icons, dropped one, or replaced it whole.
enum class Change { Moves, Drop, Wholesale };

using Command = CKeydefDlg::Command;

class Session {
public:
    explicit Session(ByteReader& input)
        : input_(input), fixture_(*fixture), page_(fixture_.page),
          settings_(fixture_.page.settings()), drag_(fixture_.page.dragDrop()) {
        reset();
    }

    void run() {
        load();
        while (!input_.empty()) {
            step();
        }
        static unsigned inputs = 0;
        if (inputs++ % DRAW_EVERY == 0) {
            draw();
        }
    }

private:
    // The page as a fresh connection to a factory-new device leaves it.
    void reset() {
        page_.pointerReleased(nowhere, PointerButton::Left);
        page_.takeLoad(factoryItems());
        page_.pointerMoved(nowhere, false);
        fixture_.messages.texts.clear();
        fixture_.shell = QuietShell{};
        for (int code = 0; code < X360_BUTTON_COUNT; ++code) {
            const auto index = static_cast<std::size_t>(code);
            require(drag_.iconRect()[index] == drag_.keyRect()[index],
                    "after a factory load every icon is on its key");
        }
        require(!drag_.dragging() && page_.pressedCommand() == -1, "a reset page is at rest");
        loadedSensitivity_ = settings_.sensitivity;
        agreement_ = true;
    }

    PixelPoint point() {
        const int x = input_.le16() % 928 - 64;
        const int y = input_.le16() % 728 - 64;
        return {x, y};
    }

    void step() {
        switch (input_.below(6)) {
        case 0:
        case 1:
            move(point());
            break;
        case 2:
            toggleLeft(point());
            break;
        case 3:
            rightClick(point());
            break;
        case 4:
            doubleClick(point());
            break;
        default:
            load();
            break;
        }
    }

    // A load as the monitor hands it over, with any of its items missing.
    void load() {
        const std::uint8_t present = input_.byte();
        ButtonMapBytes map{};
        input_.fill(map.begin(), map.end());
        const auto sensitivity = static_cast<std::int8_t>(input_.byte());
        const auto firingSpeed = static_cast<std::int8_t>(input_.byte());
        X360DeviceItems items;
        if ((present & 1) != 0) {
            items.buttonMap = map;
        }
        if ((present & 2) != 0) {
            items.sensitivity = sensitivity;
        }
        if ((present & 4) != 0) {
            items.firingSpeed = firingSpeed;
        }

        const X360Settings before = settings_;
        const Snapshot was(page_);
        const std::size_t shown = fixture_.messages.texts.size();
        page_.takeLoad(items);

        require(fixture_.messages.texts.size() == shown + (items.complete() ? 0 : 1) &&
                    (items.complete() || fixture_.messages.texts.back() == commErrorMessage),
                "a load that falls short says so, once");
        require(!drag_.dragging() && drag_.hoverKey() == NO_DRAG, "a load ends any drag");
        checkLoaded(items, before);
        checkPlacedOnKeys(was, items.buttonMap.has_value());
        if (items.buttonMap) {
            agreement_ = isUnique(*items.buttonMap);
        }
        checkAlways(was, Change::Wholesale);
    }

    void checkLoaded(const X360DeviceItems& items, const X360Settings& before) {
        if (items.buttonMap) {
            require(settings_.buttonMap == *items.buttonMap &&
                        settings_.deviceButtonMap == *items.buttonMap,
                    "a load's map is both the shown and the device's");
        }
        if (items.buttonMap && items.sensitivity) {
            require(settings_.sensitivity == *items.sensitivity &&
                        settings_.deviceSensitivity == *items.sensitivity,
                    "a load's sensitivity is both the shown and the device's");
            loadedSensitivity_ = *items.sensitivity;
        }
        if (items.complete()) {
            require(settings_.firingSpeed == *items.firingSpeed &&
                        settings_.deviceFiringSpeed == *items.firingSpeed,
                    "a load's firing speed is both the shown and the device's");
        }
        if (!items.buttonMap) {
            require(settings_.buttonMap == before.buttonMap &&
                        settings_.deviceButtonMap == before.deviceButtonMap,
                    "without a map the load takes nothing");
        }
        if (!items.buttonMap || !items.sensitivity) {
            require(settings_.sensitivity == before.sensitivity &&
                        settings_.deviceSensitivity == before.deviceSensitivity,
                    "a sensitivity after a missing item is not taken");
        }
        if (!items.complete()) {
            require(settings_.firingSpeed == before.firingSpeed &&
                        settings_.deviceFiringSpeed == before.deviceFiringSpeed &&
                        settings_.firingStep == before.firingStep,
                    "a firing speed after a missing item is not taken");
        }
    }

    // Each code a key holds has its icon on the highest such key; a dragged icon that no key
    // holds goes home, the others stay put.
    void checkPlacedOnKeys(const Snapshot& was, bool placed) const {
        for (int code = 0; code < X360_BUTTON_COUNT; ++code) {
            PixelRect expected =
                code == was.dragButton ? homeRect(code) : was.icons[static_cast<std::size_t>(code)];
            for (int key = 0; placed && key < X360_KEY_COUNT; ++key) {
                if (settings_.buttonMap[static_cast<std::size_t>(key)] == code) {
                    expected = drag_.keyRect()[static_cast<std::size_t>(key)];
                }
            }
            require(drag_.iconRect()[static_cast<std::size_t>(code)] == expected,
                    "after a load each icon is on the highest key holding its code, or stays");
        }
    }

    void move(PixelPoint at) {
        const Snapshot was(page_);
        if (leftHeld_) {
            seen_.insert({at.x, at.y});
        }
        page_.pointerMoved(at, leftHeld_);
        require(settings_.buttonMap == was.map, "a move never changes the map");
        for (int code = 0; code < X360_BUTTON_COUNT; ++code) {
            const auto index = static_cast<std::size_t>(code);
            if (code != was.dragButton) {
                require(drag_.iconRect()[index] == was.icons[index],
                        "a move moves the dragged icon only");
            }
        }
        if (leftHeld_ && drag_.dragging()) {
            checkUnderPointer(at);
            require(drag_.hoverKey() == keyUnder(drag_.keyRect(), at),
                    "the key under the dragged icon's pointer lights, and no other");
        }
        checkAlways(was);
    }

    void checkUnderPointer(PixelPoint at) const {
        const PixelRect& icon = drag_.iconRect()[static_cast<std::size_t>(drag_.dragButton())];
        require(icon.left == at.x - GRIP && icon.top == at.y - GRIP,
                "the dragged icon is held by its grip under the pointer");
    }

    void toggleLeft(PixelPoint at) {
        if (leftHeld_) {
            releaseLeft(at);
        } else {
            pressLeft(at);
        }
    }

    // A press, or the second press of a double click, which the host delivers as a press too.
    void pressLeft(PixelPoint at) {
        const Snapshot was(page_);
        seen_.insert({at.x, at.y});
        leftHeld_ = true;
        page_.pointerPressed(at, PointerButton::Left);
        if (drag_.dragging()) {
            const int code = drag_.dragButton();
            require(code == lowestIconUnder(was.icons, at),
                    "a press takes up the icon of the lowest code under the point");
            require(countOf(settings_.buttonMap, code) == 0, "a taken-up button is on no key");
            checkUnderPointer(at);
            require(page_.helpText() == dropHelpText, "taking an icon up asks for the drop");
        } else {
            require(settings_.buttonMap == was.map && drag_.iconRect() == was.icons,
                    "a press that takes nothing up moves nothing");
        }
        checkAlways(was);
    }

    void releaseLeft(PixelPoint at) {
        const Snapshot was(page_);
        const QuietShell shellBefore = fixture_.shell;
        const std::size_t shown = fixture_.messages.texts.size();
        leftHeld_ = false;
        page_.pointerReleased(at, PointerButton::Left);

        require(!drag_.dragging() && drag_.hoverKey() == NO_DRAG && page_.pressedCommand() == -1,
                "a release ends the drag, its highlight and the held command");
        const bool wholesale = was.pressedCommand == static_cast<int>(Command::Clear) ||
                               was.pressedCommand == static_cast<int>(Command::Default);
        if (was.dragButton != NO_DRAG && !wholesale) {
            checkDrop(was, at);
        }
        if (wholesale) {
            agreement_ = true;
        }
        checkCommand(was.pressedCommand, shellBefore, shown);
        require((fixture_.shell.switches > shellBefore.switches) ==
                    fixture_.shell.tabArea(SetupPage::Pc).contains(at.x, at.y),
                "a release over the PC Setup tab switches to it, and only there");
        if (was.pressedCommand == -1) {
            require(page_.helpText() == dragHelpText,
                    "a release with no command held asks for the next drag");
        }
        checkAlways(was, wholesale ? Change::Wholesale : Change::Drop);
    }

    void checkDrop(const Snapshot& was, PixelPoint at) const {
        const int dropped = was.dragButton;
        int target = keyUnder(drag_.keyRect(), at);
        if (target == NO_DRAG) {
            target = was.hoverKey;
        }
        const auto code = static_cast<std::size_t>(dropped);
        if (target == NO_DRAG) {
            require(drag_.iconRect()[code] == homeRect(dropped),
                    "an icon dropped on no key goes home");
            return;
        }
        const auto key = static_cast<std::size_t>(target);
        require(settings_.buttonMap[key] == dropped &&
                    drag_.iconRect()[code] == drag_.keyRect()[key],
                "an icon dropped on a key snaps onto it and the key takes its code");
        const std::uint8_t displaced = was.map[key];
        if (isButtonCode(displaced)) {
            require(drag_.iconRect()[displaced] == homeRect(displaced),
                    "the displaced icon goes home");
        }
    }

    void checkCommand(int command, const QuietShell& shellBefore, std::size_t shown) const {
        const std::size_t messages = fixture_.messages.texts.size();
        if (command == static_cast<int>(Command::Restore)) {
            require(messages == shown + 1 && fixture_.messages.texts.back() == deviceMissingMessage,
                    "Reload without a device says the device is missing");
        } else {
            require(messages == shown, "a release says nothing but Reload's message");
        }
        require(fixture_.shell.saveGuards ==
                    shellBefore.saveGuards + (command == static_cast<int>(Command::Save) ? 1 : 0),
                "SAVE asks the save guard, and only SAVE");
        require(fixture_.shell.exits ==
                    shellBefore.exits + (command == static_cast<int>(Command::Exit) ? 1 : 0),
                "EXIT asks to exit, and only EXIT");
        for (int code = 0; code < X360_BUTTON_COUNT; ++code) {
            const auto index = static_cast<std::size_t>(code);
            if (command == static_cast<int>(Command::Clear)) {
                require(settings_.buttonMap[index] == NO_BUTTON &&
                            drag_.iconRect()[index] == homeRect(code),
                        "Reset empties every key and sends every icon home");
            }
            if (command == static_cast<int>(Command::Default)) {
                require(settings_.buttonMap == defaultButtonMap() &&
                            drag_.iconRect()[index] == drag_.keyRect()[index],
                        "Default puts every button back on its own key");
            }
        }
    }

    void rightClick(PixelPoint at) {
        const Snapshot was(page_);
        const std::string help = page_.helpText();
        page_.pointerPressed(at, PointerButton::Other);
        page_.pointerReleased(at, PointerButton::Other);
        require(settings_.buttonMap == was.map && drag_.iconRect() == was.icons &&
                    drag_.dragButton() == was.dragButton &&
                    page_.pressedCommand() == was.pressedCommand && page_.helpText() == help,
                "the right button does nothing");
        checkAlways(was);
    }

    // As the host delivers it: press, release, the double click (a second press), release.
    void doubleClick(PixelPoint at) {
        if (leftHeld_) {
            releaseLeft(at);
            return;
        }
        pressLeft(at);
        releaseLeft(at);
        pressLeft(at);
        releaseLeft(at);
    }

    PixelRect homeRect(int code) const { return fixture_.homes[static_cast<std::size_t>(code)]; }

    // What holds after every step.
    void checkAlways(const Snapshot& was, Change change = Change::Moves) {
        const int dragButton = drag_.dragButton();
        const int hoverKey = drag_.hoverKey();
        require(dragButton >= NO_DRAG && dragButton < X360_BUTTON_COUNT,
                "the dragged code is a code or none");
        require(hoverKey >= NO_DRAG && hoverKey < X360_KEY_COUNT, "the lit key is a key or none");
        require(drag_.dragging() || hoverKey == NO_DRAG, "a key lights only during a drag");
        require(page_.pressedCommand() >= -1 && page_.pressedCommand() < CKeydefDlg::COMMAND_COUNT,
                "the held command is a command or none");
        require(!drag_.dragging() || countOf(settings_.buttonMap, dragButton) == 0,
                "a dragged button is on no key");
        require(settings_.firingStep >= NO_FIRING_STEP && settings_.firingStep < FIRING_STEPS &&
                    settings_.firingStep == firingStepFromSpeed(settings_.firingSpeed),
                "the firing step shown is the speed's step, or none");
        require(sensitivityLamp(settings_.sensitivity) ||
                    settings_.sensitivity == loadedSensitivity_,
                "only a device's byte shows no sensitivity level");
        checkIconPlaces();
        checkCounts(was, change);
    }

    // Every icon is at home, on a key square, or where a pointer of this input held it.
    void checkIconPlaces() const {
        for (int code = 0; code < X360_BUTTON_COUNT; ++code) {
            const PixelRect& icon = drag_.iconRect()[static_cast<std::size_t>(code)];
            require(icon.width == ICON_SIZE && icon.height == ICON_SIZE, "an icon keeps its size");
            const bool onKey = std::find(drag_.keyRect().begin(), drag_.keyRect().end(), icon) !=
                               drag_.keyRect().end();
            const bool held = seen_.count({icon.left + GRIP, icon.top + GRIP}) != 0;
            require(icon == homeRect(code) || onKey || held,
                    "an icon is at home, on a key, or where the pointer held it");
        }
    }

    // No code spreads onto more keys than it held, but a dropped one onto one key; a map whose
    // codes were each on one key keeps them so, each with its icon on that key.
    void checkCounts(const Snapshot& was, Change change) {
        for (int code = 0; code < X360_BUTTON_COUNT && change != Change::Wholesale; ++code) {
            const bool dropped = change == Change::Drop && code == was.dragButton;
            require(countOf(settings_.buttonMap, code) <= (dropped ? 1 : countOf(was.map, code)),
                    "no code spreads onto more keys");
        }
        if (!agreement_) {
            return;
        }
        require(isUnique(settings_.buttonMap), "a map with each code once keeps it so");
        for (int key = 0; key < X360_KEY_COUNT; ++key) {
            const std::uint8_t code = settings_.buttonMap[static_cast<std::size_t>(key)];
            if (isButtonCode(code)) {
                require(drag_.iconRect()[code] == drag_.keyRect()[static_cast<std::size_t>(key)],
                        "the icon of a code on a key sits on that key");
            }
        }
    }

    void draw() {
        require(fixture_.lamps->showsOnly(fixture_.draw(), sensitivityLamp(settings_.sensitivity),
                                          settings_.firingStep, drag_.iconRect()),
                "the lamps lit are the level and the step shown, and no others");
    }

    ByteReader& input_;
    Fixture& fixture_;
    CKeydefDlg& page_;
    X360Settings& settings_;
    const ButtonDragDrop& drag_;
    std::set<std::pair<int, int>> seen_;
    bool leftHeld_ = false;
    bool agreement_ = true;
    std::int8_t loadedSensitivity_ = SENSITIVITY_MID;
};

} // namespace
} // namespace vantrel::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vantrel::fuzz::fixture = new vantrel::fuzz::Fixture;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vantrel::fuzz::ByteReader input(data, size);
    vantrel::fuzz::Session session(input);
    session.run();
    return 0;
}
