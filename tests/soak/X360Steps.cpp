#include "tests/soak/X360Steps.h"

#include "pcsetup/PcPageText.h"
#include "tests/soak/Bounds.h"
#include "tests/soak/PageInput.h"
#include "tests/soak/PagePlaces.h"
#include "x360setup/X360PageText.h"

#include <algorithm>
#include <array>

namespace vantrel::soak {

namespace {

using Texts = std::vector<std::string>;

bool sameRecord(const X360Settings& a, const X360Settings& b) {
    return a.buttonMap == b.buttonMap && a.sensitivity == b.sensitivity &&
           a.firingSpeed == b.firingSpeed && a.firingStep == b.firingStep &&
           a.deviceButtonMap == b.deviceButtonMap && a.deviceSensitivity == b.deviceSensitivity &&
           a.deviceFiringSpeed == b.deviceFiringSpeed;
}

// Every key holds a button and every button's icon lies on its key, so drags do what they say.
bool tidy(const X360Settings& settings, const IconRects& icons) {
    for (std::size_t key = 0; key < X360_KEY_COUNT; ++key) {
        const std::uint8_t code = settings.buttonMap[key];
        if (!isButtonCode(code) || icons[code] != keySquares[key]) {
            return false;
        }
    }
    return true;
}

// The writes, or the reads, at an address.
std::vector<RequestGroup> requestsAt(const std::vector<RequestGroup>& groups, std::uint16_t address,
                                     bool write) {
    std::vector<RequestGroup> found;
    std::copy_if(groups.begin(), groups.end(), std::back_inserter(found),
                 [&](const RequestGroup& group) {
                     return group.address == address && group.write == write;
                 });
    return found;
}

} // namespace

void X360Steps::edit() {
    const std::vector<SoakMessage> shown = steps_.run([&] {
        CKeydefDlg& page = program_.x360Page();
        // A user who finds keys without a button mostly starts again from the defaults.
        if (random_.chance(page.settings().isMappingComplete() ? 10 : 60)) {
            click(program_.widgetOf(page), x360DefaultButton);
            const X360Settings& settings = page.settings();
            if (settings.buttonMap != defaultButtonMap() ||
                settings.sensitivity != SENSITIVITY_MID ||
                settings.firingSpeed != DEFAULT_FIRING_SPEED) {
                findings_.fail("DEFAULT did not restore the factory settings");
            }
        } else if (random_.chance(3)) {
            click(program_.widgetOf(page), x360ResetButton);
        }
        if (random_.chance(70)) {
            swapKeys();
        }
        clickLamp();
    });
    if (!shown.empty()) {
        findings_.fail("editing the XBox 360 settings showed " + quoted(textsOf(shown)));
    }
}

void X360Steps::swapKeys() {
    CKeydefDlg& page = program_.x360Page();
    const int a = random_.below(X360_KEY_COUNT);
    const int b = (a + random_.between(1, X360_KEY_COUNT - 1)) % X360_KEY_COUNT;
    const ButtonMapBytes before = page.settings().buttonMap;
    const bool predictable = tidy(page.settings(), page.dragDrop().iconRect());
    const auto keyA = static_cast<std::size_t>(a);
    const auto keyB = static_cast<std::size_t>(b);
    // The icon on key a onto key b, whose own icon goes home; then that one onto key a.
    drag(program_.widgetOf(page), centre(keySquares[keyA]), centre(keySquares[keyB]));
    const std::uint8_t sentHome = before[keyB];
    const bool second = isButtonCode(sentHome) && random_.chance(90);
    if (second) {
        drag(program_.widgetOf(page), centre(page.dragDrop().iconRect()[sentHome]),
             centre(keySquares[keyA]));
    }
    if (!predictable) {
        return;
    }
    ButtonMapBytes expected = before;
    expected[keyB] = before[keyA];
    expected[keyA] = second ? sentHome : NO_BUTTON;
    const IconRects& icons = page.dragDrop().iconRect();
    const bool iconsFollow =
        second ? tidy(page.settings(), icons) : icons[sentHome] == homeSquares[sentHome];
    if (page.settings().buttonMap != expected || !iconsFollow) {
        findings_.fail("dragging the button of key " + std::to_string(a) + " onto key " +
                       std::to_string(b) + (second ? " and back" : "") +
                       " did not give the map and the icons it should");
    }
}

void X360Steps::clickLamp() {
    CKeydefDlg& page = program_.x360Page();
    const X360Settings& settings = page.settings();
    if (random_.chance(40)) {
        const int lamp = random_.below(SENSITIVITY_LEVELS);
        click(program_.widgetOf(page), centre(sensitivityLamps[static_cast<std::size_t>(lamp)]));
        if (settings.sensitivity != SENSITIVITY_LOW + lamp) {
            findings_.fail("a click on sensitivity lamp " + std::to_string(lamp) +
                           " left the sensitivity at " + std::to_string(settings.sensitivity));
        }
        return;
    }
    const int step = random_.below(FIRING_STEPS);
    click(program_.widgetOf(page), centre(stepLamps[static_cast<std::size_t>(step)]));
    if (settings.firingStep != step || settings.firingSpeed != firingSpeedFromStep(step)) {
        findings_.fail("a click on firing step lamp " + std::to_string(step) + " left step " +
                       std::to_string(settings.firingStep));
    }
}

void X360Steps::switchToPc() {
    const std::vector<SoakMessage> shown = steps_.run([&] { click(program_.x360Widget(), pcTab); });
    if (!shown.empty() || !program_.pcWidget().isVisible() || program_.x360Widget().isVisible()) {
        findings_.fail("a click on the PC Setup tab did not switch pages quietly");
    }
}

void X360Steps::save() {
    const X360Settings& settings = program_.x360Page().settings();
    const X360Settings before = settings;
    const std::size_t logStart = program_.log().size();
    const auto start = std::chrono::steady_clock::now();
    const Texts shown = textsOf(steps_.run([&] { click(program_.x360Widget(), x360SaveButton); }));
    const auto took = std::chrono::steady_clock::now() - start;
    const std::vector<RequestGroup> groups =
        groupRequests(program_.log().since(logStart, Origin::UserInterface));
    ++tally_.x360Saves.attempted;

    if (took > X360_SAVE_BOUND) {
        findings_.fail("the XBox 360 save did not end within its bound of " +
                       std::to_string(X360_SAVE_BOUND.count()) + " ms");
    }
    if (settings.buttonMap != before.buttonMap || settings.sensitivity != before.sensitivity ||
        settings.firingSpeed != before.firingSpeed) {
        findings_.fail("the XBox 360 save changed the values it saved");
    }
    if (const std::string fault = repetitionFault(groups); !fault.empty()) {
        findings_.fail("the XBox 360 save: " + fault);
    }
    const bool notFound = shown == Texts{std::string(deviceNotFoundMessage)};
    if (const std::string fault = samplingFault(groups, program_.state().samplingEnabled);
        !notFound && !fault.empty()) {
        findings_.fail("the XBox 360 save: " + fault);
    }
    if (notFound || shown == Texts{std::string(mappingIncompleteMessage)}) {
        ++(notFound ? tally_.x360Saves.noDevice : tally_.x360Saves.refused);
        if (!groups.empty() || !sameRecord(settings, before)) {
            findings_.fail("an XBox 360 save that said " + quoted(shown) +
                           " sent requests or changed the record");
        }
        if (notFound && program_.state().deviceConnected != 0) {
            findings_.fail("the XBox 360 save said the device was not found while it was "
                           "connected");
        }
        if (!notFound && before.isMappingComplete()) {
            findings_.fail("the XBox 360 save called a complete mapping incomplete");
        }
        return;
    }
    if (!before.isMappingComplete()) {
        findings_.fail("the XBox 360 save of an incomplete mapping said " + quoted(shown));
    }
    const std::string comm(commErrorMessage);
    if (shown == Texts{std::string(x360SavedMessage)}) {
        ++tally_.x360Saves.succeeded;
        checkSaved(before, groups);
    } else if (shown == Texts{comm} || shown == Texts{comm, comm}) {
        ++tally_.x360Saves.failed;
        checkFailed(before, groups, shown.size());
    } else {
        findings_.fail("the XBox 360 save said " + quoted(shown));
    }
}

std::array<X360Steps::Item, 3> X360Steps::itemsOf(const X360Settings& before) {
    const X360Settings& after = program_.x360Page().settings();
    const devsim::MemoryImage memory = program_.receiver().memory();
    const auto byteAt = [&](std::uint16_t address) {
        return static_cast<std::int8_t>(memory[address]);
    };
    return {{
        {"button map", BUTTON_MAP_ADDRESS, before.buttonMap != before.deviceButtonMap,
         after.deviceButtonMap == before.buttonMap, after.deviceButtonMap == before.deviceButtonMap,
         std::equal(before.buttonMap.begin(), before.buttonMap.end(),
                    memory.begin() + BUTTON_MAP_ADDRESS)},
        {"sensitivity", SENSITIVITY_ADDRESS, before.sensitivity != before.deviceSensitivity,
         after.deviceSensitivity == before.sensitivity,
         after.deviceSensitivity == before.deviceSensitivity,
         byteAt(SENSITIVITY_ADDRESS) == before.sensitivity},
        {"firing speed", FIRING_SPEED_ADDRESS, before.firingSpeed != before.deviceFiringSpeed,
         after.deviceFiringSpeed == before.firingSpeed,
         after.deviceFiringSpeed == before.deviceFiringSpeed,
         byteAt(FIRING_SPEED_ADDRESS) == before.firingSpeed},
    }};
}

void X360Steps::checkSaved(const X360Settings& before, const std::vector<RequestGroup>& groups) {
    const std::array<Item, 3> items = itemsOf(before);
    for (const Item& item : items) {
        if (!item.advanced || !item.onDevice) {
            findings_.fail("after \"" + std::string(x360SavedMessage) + "\" the " + item.name +
                           (item.onDevice ? "'s device copy is not" : " on the device is not") +
                           " what the page shows");
        }
        const std::vector<RequestGroup> writes = requestsAt(groups, item.address, true);
        if (item.differed && (writes.empty() || !writes.back().last.acknowledged())) {
            findings_.fail("the XBox 360 save said it saved, but the device did not acknowledge "
                           "the " +
                           std::string(item.name));
        }
    }
    const std::vector<RequestGroup> readBacks = requestsAt(groups, BUTTON_MAP_ADDRESS, false);
    if (items.front().differed &&
        (readBacks.empty() || !readBacks.back().last.acknowledged() ||
         !std::equal(before.buttonMap.begin(), before.buttonMap.end(),
                     readBacks.back().last.reply.begin(), readBacks.back().last.reply.end()))) {
        findings_.fail("the XBox 360 save said it saved, but the button map it read back was not "
                       "the one it wrote");
    }
    for (const RequestGroup& group : groups) {
        const auto item = std::find_if(items.begin(), items.end(),
                                       [&](const Item& i) { return i.address == group.address; });
        if (item == items.end() || !item->differed) {
            findings_.fail("the XBox 360 save sent " + describe(group) +
                           ", which wrote nothing that had changed");
        }
    }
}

void X360Steps::checkFailed(const X360Settings& before, const std::vector<RequestGroup>& groups,
                            std::size_t messages) {
    const std::array<Item, 3> items = itemsOf(before);
    const auto failed =
        std::find_if(items.begin(), items.end(), [](const Item& i) { return !i.advanced; });
    if (failed == items.end()) {
        findings_.fail("the XBox 360 save said it failed, yet every item's device copy advanced");
        return;
    }
    for (auto item = items.begin(); item != failed; ++item) {
        if (!item->onDevice) {
            findings_.fail("the XBox 360 save advanced the " + std::string(item->name) +
                           "'s device copy, but the device does not hold it");
        }
    }
    for (auto item = failed; item != items.end(); ++item) {
        if (!item->unchanged) {
            findings_.fail("after the XBox 360 save failed at the " + std::string(failed->name) +
                           ", the " + item->name + "'s device copy moved");
        }
        if (item != failed && !requestsAt(groups, item->address, true).empty()) {
            findings_.fail("after the XBox 360 save failed at the " + std::string(failed->name) +
                           " it still wrote the " + item->name);
        }
    }
    // writeButtonMap says so itself before the page does; the one-byte writes do not.
    if ((messages == 2) != (failed->address == BUTTON_MAP_ADDRESS)) {
        findings_.fail("the XBox 360 save failed at the " + std::string(failed->name) + " with " +
                       std::to_string(messages) + " communication error messages");
    }
    if (!failureUnderstood(*failed, before, groups)) {
        std::string sent;
        for (const RequestGroup& group : groups) {
            sent += "\n    " + describe(group);
        }
        findings_.fail("the XBox 360 save failed at the " + std::string(failed->name) +
                       ", but its requests do not show why:" + sent);
    }
}

bool X360Steps::failureUnderstood(const Item& item, const X360Settings& before,
                                  const std::vector<RequestGroup>& groups) {
    // A device that the monitor let go meanwhile takes no more requests.
    if (!program_.link().isOpen()) {
        return true;
    }
    const std::vector<RequestGroup> writes = requestsAt(groups, item.address, true);
    if (writes.empty()) {
        return false;
    }
    if (!writes.back().last.acknowledged()) {
        return failedForAReason(writes.back());
    }
    const std::vector<RequestGroup> reads = requestsAt(groups, item.address, false);
    if (item.address != BUTTON_MAP_ADDRESS || reads.empty()) {
        return false;
    }
    const LoggedRequest& readBack = reads.back().last;
    if (!readBack.acknowledged()) {
        return gaveUp(reads.back());
    }
    return !std::equal(before.buttonMap.begin(), before.buttonMap.end(), readBack.reply.begin(),
                       readBack.reply.end());
}

} // namespace vantrel::soak
