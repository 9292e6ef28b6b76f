#include "tests/soak/PcSteps.h"

#include "pcsetup/PcPageText.h"
#include "tests/soak/Bounds.h"
#include "tests/soak/PageInput.h"
#include "tests/soak/PagePlaces.h"
#include "tests/soak/RequestGroups.h"

#include <algorithm>

namespace vantrel::soak {

namespace {

constexpr KeyCode LETTER_A = 0x41;
constexpr KeyCode CTRL_LEFT = 0xA2;

using Texts = std::vector<std::string>;

Texts texts(std::initializer_list<std::string_view> views) {
    return {views.begin(), views.end()};
}

bool blockIs(const KeyMapBytes& map, std::size_t block, const devsim::MemoryImage& memory) {
    const auto first = map.begin() + static_cast<long>(block * KEY_MAP_BLOCK_SIZE);
    return std::equal(first, first + KEY_MAP_BLOCK_SIZE,
                      memory.begin() + keyMapBlockAddress(block));
}

KeyMapBytes keyMapIn(const devsim::MemoryImage& memory) {
    KeyMapBytes map{};
    std::copy_n(memory.begin() + KEY_MAP_ADDRESS, KEY_MAP_SIZE, map.begin());
    return map;
}

} // namespace

void PcSteps::edit() {
    const std::vector<SoakMessage> shown = steps_.run([&] {
        if (random_.chance(5)) {
            click(program_.pcWidget(), pcResetButton);
            if (program_.pcPage().keyMap().currentKeyMap() != DEFAULT_KEY_MAP) {
                findings_.fail("RESET did not restore the default key map");
            }
        } else if (random_.chance(50)) {
            capture();
        } else {
            defineThroughKeyMap();
        }
    });
    if (!shown.empty()) {
        findings_.fail("defining a PC key showed " + quoted(textsOf(shown)));
    }
}

void PcSteps::capture() {
    CVantrelConfigDlg& page = program_.pcPage();
    const int index = random_.below(static_cast<int>(LABELLED_SLOT_COUNT));
    const int slot = LABELLED_SLOTS[static_cast<std::size_t>(index)].slot;
    const QPoint label = centre(pcLabels[static_cast<std::size_t>(index)]);
    move(program_.widgetOf(page), label);
    click(program_.widgetOf(page), label);
    if (!page.capture().isCapturing()) {
        findings_.fail("a click on the label of slot " + std::to_string(slot) +
                       " started no capture");
        return;
    }
    const int letter = random_.below(LETTER_COUNT);
    const bool withControl = random_.chance(50);
    {
        Keyboard keys(program_.widgetOf(page));
        if (withControl) {
            keys.down(controlLeft);
        }
        keys.tap(letterKey(letter));
    }
    click(program_.widgetOf(page), label);
    move(program_.widgetOf(page), pcNowhere);
    const KeyMap& keyMap = page.keyMap();
    const auto mainKey = static_cast<KeyCode>(LETTER_A + letter);
    const KeyCode heldKey = withControl ? CTRL_LEFT : 0;
    if (page.capture().isCapturing() || keyMap.mainKey(slot) != mainKey ||
        keyMap.heldKey(slot) != heldKey) {
        findings_.fail("capturing " + std::string(withControl ? "Ctrl(left) + " : "") +
                       std::string(1, static_cast<char>('A' + letter)) + " on slot " +
                       std::to_string(slot) + " gave main key " +
                       std::to_string(keyMap.mainKey(slot)) + " and held key " +
                       std::to_string(keyMap.heldKey(slot)));
    }
}

void PcSteps::defineThroughKeyMap() {
    CVantrelConfigDlg& page = program_.pcPage();
    const int slot = random_.below(KEY_SLOT_COUNT);
    const KeyCode mainKey = random_.byte();
    const KeyCode heldKey = random_.byte();
    page.keyMap().setDefinition(slot, mainKey, heldKey);
    page.refreshLabels();
}

void PcSteps::switchToX360() {
    const std::vector<SoakMessage> shown = steps_.run([&] { click(program_.pcWidget(), x360Tab); });
    if (!shown.empty() || !program_.x360Widget().isVisible() || program_.pcWidget().isVisible()) {
        findings_.fail("a click on the XBox 360 Setup tab did not switch pages quietly");
    }
}

void PcSteps::checkLabels(const std::string& when) {
    CVantrelConfigDlg& page = program_.pcPage();
    for (const LabelledSlot& entry : LABELLED_SLOTS) {
        const KeyMap& keyMap = page.keyMap();
        const std::string& shown = page.labelText(entry.slot);
        const std::string expected =
            definitionText(keyMap.mainKey(entry.slot), keyMap.heldKey(entry.slot));
        if (shown != expected) {
            findings_.fail(when + " the label of " + std::string(entry.caption) + " shows \"" +
                           shown + "\" instead of \"" + expected + "\"");
            return;
        }
    }
}

void PcSteps::save() {
    const KeyMap& keyMap = program_.pcPage().keyMap();
    const Before before{keyMap.currentKeyMap(), keyMap.baselineKeyMap(), keyMap.isChanged(),
                        keyMapIn(program_.receiver().memory())};
    const std::size_t logStart = program_.log().size();
    const auto start = std::chrono::steady_clock::now();
    const Texts shown = textsOf(steps_.run([&] { click(program_.pcWidget(), pcSaveButton); }));
    const auto took = std::chrono::steady_clock::now() - start;
    const std::vector<LoggedRequest> requests =
        program_.log().since(logStart, Origin::UserInterface);
    ++tally_.pcSaves.attempted;

    if (took > PC_SAVE_BOUND) {
        findings_.fail("the PC save did not end within its bound of " +
                       std::to_string(PC_SAVE_BOUND.count()) + " ms");
    }
    if (keyMap.currentKeyMap() != before.current) {
        findings_.fail("the PC save changed the key map it saved");
    }
    const bool notFound = shown == texts({deviceNotFoundMessage});
    const bool noChange = shown == texts({noChangeMessage});
    if (notFound || noChange) {
        ++(noChange ? tally_.pcSaves.refused : tally_.pcSaves.noDevice);
        if (!requests.empty() || keyMap.baselineKeyMap() != before.baseline) {
            findings_.fail("a PC save that said " + quoted(shown) +
                           " sent requests or took the baseline");
        }
        if (notFound && program_.state().deviceConnected != 0) {
            findings_.fail("the PC save said the device was not found while it was connected");
        }
        if (noChange && before.changed) {
            findings_.fail("the PC save said nothing had changed, but the key map had");
        }
        return;
    }
    if (!before.changed) {
        findings_.fail("the PC save of an unchanged key map said " + quoted(shown));
    }
    if (const std::string fault =
            samplingFault(groupRequests(requests), program_.state().samplingEnabled);
        !fault.empty()) {
        findings_.fail("the PC save: " + fault);
    }
    if (shown == texts({pcSavedMessage})) {
        ++tally_.pcSaves.succeeded;
        checkSaved(before, requests);
    } else if (shown == texts({writeKeyMapFailedMessage, commErrorMessage})) {
        ++tally_.pcSaves.failed;
        checkFailed(before, requests);
    } else {
        findings_.fail("the PC save said " + quoted(shown));
    }
}

void PcSteps::checkSaved(const Before& before, const std::vector<LoggedRequest>& requests) {
    const std::vector<RequestGroup> groups = groupRequests(requests);
    if (const std::string fault = repetitionFault(groups); !fault.empty()) {
        findings_.fail("the PC save: " + fault);
    }
    bool wellFormed = groups.size() == KEY_MAP_BLOCKS;
    for (std::size_t block = 0; wellFormed && block < groups.size(); ++block) {
        wellFormed = groups[block].write && groups[block].address == keyMapBlockAddress(block) &&
                     groups[block].last.acknowledged();
    }
    if (!wellFormed) {
        findings_.fail("the PC save said it saved, but the device did not acknowledge four "
                       "blocks at 52, 68, 84 and 100");
    }
    const devsim::MemoryImage memory = program_.receiver().memory();
    for (std::size_t block = 0; block < KEY_MAP_BLOCKS; ++block) {
        if (!blockIs(before.current, block, memory)) {
            findings_.fail("after \"" + std::string(pcSavedMessage) + "\" the device's block at " +
                           std::to_string(keyMapBlockAddress(block)) +
                           " differs from the page's key map");
        }
    }
    if (program_.pcPage().keyMap().baselineKeyMap() != before.current) {
        findings_.fail("the PC save succeeded but took no baseline");
    }
}

void PcSteps::checkFailed(const Before& before, const std::vector<LoggedRequest>& requests) {
    if (program_.pcPage().keyMap().baselineKeyMap() != before.baseline) {
        findings_.fail("the failed PC save took the baseline all the same");
    }
    const std::vector<RequestGroup> groups = groupRequests(requests);
    if (const std::string fault = repetitionFault(groups); !fault.empty()) {
        findings_.fail("the failed PC save: " + fault);
    }
    // The blocks before the failed one were acknowledged; the failed one was not, for a reason
    // the link ends on; no later one was sent. A device that the monitor let go meanwhile takes
    // no more requests, so the failed block may reach nothing at all.
    std::size_t written = 0;
    while (written < groups.size() && groups[written].last.acknowledged()) {
        ++written;
    }
    bool understood = written < KEY_MAP_BLOCKS && groups.size() <= written + 1;
    for (std::size_t block = 0; understood && block < groups.size(); ++block) {
        understood = groups[block].write && groups[block].address == keyMapBlockAddress(block);
    }
    if (understood && program_.link().isOpen()) {
        understood = groups.size() == written + 1 && failedForAReason(groups[written]);
    }
    if (!understood) {
        std::string sent;
        for (const RequestGroup& group : groups) {
            sent += "\n    " + describe(group);
        }
        findings_.fail("WrEELong failed, but its requests do not show why:" + sent);
        return;
    }
    const devsim::MemoryImage memory = program_.receiver().memory();
    for (std::size_t block = 0; block < KEY_MAP_BLOCKS; ++block) {
        const KeyMapBytes& expected = block < written ? before.current : before.onDevice;
        if (!blockIs(expected, block, memory)) {
            findings_.fail("after WrEELong failed at block " + std::to_string(written) +
                           " the device's block " + std::to_string(block) + " is " +
                           (block < written ? "not the new one" : "no longer the old one"));
        }
    }
}

} // namespace vantrel::soak
