#include "ctl/KeysCommands.h"

#include "ctl/CtlFailure.h"
#include "ctl/CtlReceiver.h"
#include "ctl/Json.h"
#include "ctl/Names.h"
#include "ctl/PathDialogs.h"
#include "ctl/WindowProgramMark.h"
#include "pcsetup/KeyMap.h"
#include "pcsetup/LabelledSlots.h"
#include "pcsetup/PcSave.h"
#include "pcsetup/ProfileActions.h"

#include <iomanip>

namespace vantrel::ctl {

namespace {

// The device's key map, as the window program's monitor hands it to the PC Setup page.
KeyMap readKeyMap(CtlReceiver& receiver) {
    KeyMapBytes block{};
    receiver.check(receiver.link().RdEELong(block), "reading the key map failed");
    KeyMap keyMap;
    keyMap.replaceFromDevice(block);
    return keyMap;
}

void showKeys(const KeyMap& keyMap, bool json, std::ostream& out) {
    if (json) {
        out << "[";
        const char* separator = "";
        for (const LabelledSlot& entry : LABELLED_SLOTS) {
            const KeyCode main = keyMap.mainKey(entry.slot);
            const KeyCode held = keyMap.heldKey(entry.slot);
            out << separator << "{\"button\":" << jsonString(entry.caption)
                << ",\"text\":" << jsonString(definitionText(main, held))
                << ",\"key\":" << int{main} << ",\"held\":" << int{held} << "}";
            separator = ",";
        }
        out << "]\n";
        return;
    }
    for (const LabelledSlot& entry : LABELLED_SLOTS) {
        out << std::left << std::setw(22) << entry.caption
            << definitionText(keyMap.mainKey(entry.slot), keyMap.heldKey(entry.slot)) << "\n";
    }
}

int slotNamed(const std::string& typed) {
    if (const auto slot = parseLabelledSlot(typed)) {
        return *slot;
    }
    throw usageError("no button is called " + typed + " (see vantrelctl keys --help)");
}

KeyCode keyNamed(const std::string& typed) {
    if (const auto code = parseKeyCode(typed); code && *code != 0) {
        return *code;
    }
    throw usageError("no key is called " + typed + " (see vantrelctl keys --help)");
}

// SAVE's rule and texts: written only when something changed.
int save(KeyMap& keyMap, CtlReceiver& receiver, std::ostream& out) {
    const PcSaveResult result = savePcKeyMap(keyMap, receiver.link());
    if (result == PcSaveResult::Failed) {
        throw failure("writing the key map failed: " + oneLine(pcSaveText(result)));
    }
    out << pcSaveText(result) << "\n";
    return EXIT_DONE;
}

void expectCount(const std::vector<std::string>& arguments, std::size_t least, std::size_t most,
                 std::string_view form) {
    if (arguments.size() < least || arguments.size() > most) {
        throw usageError("usage: vantrelctl keys " + std::string(form));
    }
}

// Load Profile's rules and texts, with the file named here in place of its dialog.
void loadFile(KeyMap& keyMap, const std::string& path, CtlMessages& messages) {
    PathDialogs dialogs(path);
    loadProfile(keyMap, dialogs, messages, [] {});
    const std::vector<std::string> shown = messages.take();
    if (!shown.empty()) {
        throw failure("loading " + path + " failed: " + oneLine(shown.front()));
    }
}

// Save As Profile's rules and texts, with the file named here in place of its dialog. Where the
// page would ask before replacing a file it adds ".map" to, the command does not replace it.
void saveFile(const KeyMap& keyMap, const std::string& path, CtlMessages& messages) {
    PathDialogs dialogs(path);
    saveProfile(keyMap, dialogs, messages);
    const std::vector<std::string> shown = messages.take();
    if (!shown.empty()) {
        throw failure("saving " + path + " failed: " + oneLine(shown.front()) +
                      (shown.front().find('?') != std::string::npos
                           ? " (not replaced: name the file with .map to replace it)"
                           : ""));
    }
}

} // namespace

int runKeys(const std::vector<std::string>& arguments, bool json, std::ostream& out) {
    const std::string sub = arguments.empty() ? "" : arguments.front();
    const std::vector<std::string> rest(arguments.begin() + (arguments.empty() ? 0 : 1),
                                        arguments.end());
    CtlMessages messages;
    CtlReceiver receiver(messages);
    if (sub.empty()) {
        receiver.openOrFail();
        showKeys(readKeyMap(receiver), json, out);
        return EXIT_DONE;
    }
    if (sub == "save") {
        expectCount(rest, 1, 1, "save FILE.map");
        receiver.openOrFail();
        saveFile(readKeyMap(receiver), rest[0], messages);
        out << "saved the device's key map in " << rest[0] << "\n";
        return EXIT_DONE;
    }
    if (sub != "set" && sub != "clear" && sub != "reset" && sub != "load") {
        throw usageError("unknown keys command " + sub + " (see vantrelctl keys --help)");
    }
    // Everything is checked before the device is touched.
    if (sub == "set") {
        expectCount(rest, 2, 3, "set BUTTON KEY [HELD]");
        slotNamed(rest[0]);
        keyNamed(rest[1]);
        if (rest.size() == 3) {
            keyNamed(rest[2]);
        }
    } else if (sub == "clear") {
        expectCount(rest, 1, 1, "clear BUTTON");
        slotNamed(rest[0]);
    } else if (sub == "reset") {
        expectCount(rest, 0, 0, "reset");
    } else {
        expectCount(rest, 1, 1, "load FILE.map");
    }
    refuseWhileWindowProgramRuns();
    receiver.openOrFail();
    KeyMap keyMap = readKeyMap(receiver);
    if (sub == "set") {
        keyMap.setDefinition(slotNamed(rest[0]), keyNamed(rest[1]),
                             rest.size() == 3 ? keyNamed(rest[2]) : KeyCode{0});
    } else if (sub == "clear") {
        keyMap.clearSlot(slotNamed(rest[0]));
    } else if (sub == "reset") {
        keyMap.restoreDefaults();
    } else {
        loadFile(keyMap, rest[0], messages);
    }
    return save(keyMap, receiver, out);
}

} // namespace vantrel::ctl
