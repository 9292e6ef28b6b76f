#include "ctl/BackupCommands.h"

#include "ctl/BackupFile.h"
#include "ctl/CtlFailure.h"
#include "ctl/CtlReceiver.h"
#include "ctl/Json.h"
#include "ctl/WindowProgramMark.h"
#include "pcsetup/FileErrorCause.h"
#include "pcsetup/KeyMap.h"
#include "pcsetup/PcSave.h"
#include "pcsetup/ProfileFile.h"
#include "x360setup/X360Settings.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace vantrel::ctl {

namespace {

constexpr std::size_t SENSITIVITY_AT = SENSITIVITY_ADDRESS - IMAGE_FIRST_ADDRESS;
constexpr std::size_t FIRING_SPEED_AT = FIRING_SPEED_ADDRESS - IMAGE_FIRST_ADDRESS;
constexpr std::size_t BUTTON_MAP_AT = BUTTON_MAP_ADDRESS - IMAGE_FIRST_ADDRESS;

// The four items, read as a connection of the window program reads them.
SettingsImageBytes readImage(CtlReceiver& receiver) {
    SettingsImageBytes image{};
    KeyMapBytes keyMap{};
    receiver.check(receiver.link().RdEELong(keyMap), "reading the key map failed");
    std::copy(keyMap.begin(), keyMap.end(), image.begin());
    const X360DeviceItems items = readX360Items(receiver.link());
    if (!items.complete()) {
        receiver.check(LINK_GAVE_UP, "reading the XBox 360 settings failed");
    }
    image[SENSITIVITY_AT] = static_cast<std::uint8_t>(*items.sensitivity);
    image[FIRING_SPEED_AT] = static_cast<std::uint8_t>(*items.firingSpeed);
    std::copy(items.buttonMap->begin(), items.buttonMap->end(), image.begin() + BUTTON_MAP_AT);
    return image;
}

struct Item {
    std::string_view name;
    std::size_t at;
    std::size_t size;
};

constexpr Item ITEMS[] = {
    {"key map", 0, KEY_MAP_SIZE},
    {"key sensitivity", SENSITIVITY_AT, 1},
    {"firing speed", FIRING_SPEED_AT, 1},
    {"button map", BUTTON_MAP_AT, BUTTON_MAP_SIZE},
};

bool sameItem(const Item& item, const SettingsImageBytes& a, const SettingsImageBytes& b) {
    return std::equal(a.begin() + static_cast<std::ptrdiff_t>(item.at),
                      a.begin() + static_cast<std::ptrdiff_t>(item.at + item.size),
                      b.begin() + static_cast<std::ptrdiff_t>(item.at));
}

// Writes one item of the backup; the key map as SAVE writes it, in its four blocks.
void writeItem(const Item& item, const SettingsImageBytes& device, const SettingsImageBytes& backup,
               CtlReceiver& receiver) {
    const std::string what = "writing the " + std::string(item.name) + " failed";
    if (item.at == 0) {
        KeyMapBytes current{};
        KeyMapBytes wanted{};
        std::copy_n(device.begin(), KEY_MAP_SIZE, current.begin());
        std::copy_n(backup.begin(), KEY_MAP_SIZE, wanted.begin());
        KeyMap keyMap;
        keyMap.replaceFromDevice(current);
        keyMap.replaceWithProfile(wanted);
        if (savePcKeyMap(keyMap, receiver.link()) == PcSaveResult::Failed) {
            receiver.check(LINK_GAVE_UP, what);
        }
        return;
    }
    const std::span<const std::uint8_t> bytes(backup.data() + item.at, item.size);
    receiver.check(receiver.link().writeBytes(
                       static_cast<std::uint16_t>(IMAGE_FIRST_ADDRESS + item.at), bytes),
                   what);
}

std::vector<std::uint8_t> readBackupFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw failure("reading " + path + " failed: it can't be opened");
    }
    std::vector<std::uint8_t> bytes;
    // Anything much longer than a backup is not one; there is no need to read it all.
    char chunk[512];
    while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
        bytes.insert(bytes.end(), chunk, chunk + file.gcount());
        if (bytes.size() > 4 * BACKUP_FILE_SIZE) {
            break;
        }
    }
    if (file.bad()) {
        throw failure("reading " + path + " failed");
    }
    return bytes;
}

} // namespace

int runBackup(const std::vector<std::string>& arguments, bool json, std::ostream& out) {
    if (arguments.size() != 1) {
        throw usageError("usage: vantrelctl backup FILE");
    }
    CtlMessages messages;
    CtlReceiver receiver(messages);
    receiver.openOrFail();
    const std::vector<std::uint8_t> file = encodeBackup(readImage(receiver));
    if (const std::optional<FileErrorCause> cause = writeFileSafely(arguments[0], file)) {
        throw failure("saving " + arguments[0] +
                      " failed: " + oneLine(fileErrorText(*cause, arguments[0])));
    }
    if (json) {
        out << "{\"file\":" << jsonString(arguments[0]) << ",\"bytes\":" << file.size() << "}\n";
    } else {
        out << "saved the settings memory (addresses " << IMAGE_FIRST_ADDRESS << " to "
            << IMAGE_LAST_ADDRESS << ") in " << arguments[0] << "\n";
    }
    return EXIT_DONE;
}

int runRestore(const std::vector<std::string>& arguments, bool json, std::ostream& out) {
    if (arguments.size() != 1) {
        throw usageError("usage: vantrelctl restore FILE");
    }
    const DecodedBackup decoded = decodeBackup(readBackupFile(arguments[0]));
    if (!decoded.image) {
        throw failure(arguments[0] + " is refused, nothing was written: " + decoded.problem);
    }
    const SettingsImageBytes& backup = *decoded.image;
    refuseWhileWindowProgramRuns();
    CtlMessages messages;
    CtlReceiver receiver(messages);
    receiver.openOrFail();
    const SettingsImageBytes device = readImage(receiver);
    for (const Item& item : ITEMS) {
        if (!sameItem(item, device, backup)) {
            writeItem(item, device, backup, receiver);
        }
    }
    const SettingsImageBytes readBack = readImage(receiver);
    bool allSame = true;
    if (json) {
        out << "{\"items\":[";
    }
    for (const Item& item : ITEMS) {
        const bool written = !sameItem(item, device, backup);
        const bool same = sameItem(item, readBack, backup);
        allSame = allSame && same;
        if (json) {
            out << (item.at == 0 ? "" : ",") << "{\"item\":" << jsonString(item.name)
                << ",\"written\":" << (written ? "true" : "false")
                << ",\"readBackSame\":" << (same ? "true" : "false") << "}";
        } else {
            out << item.name << ": " << (written ? "written" : "unchanged")
                << (same ? ", as in the backup" : ", BUT THE DEVICE READS BACK OTHERWISE") << "\n";
        }
    }
    if (json) {
        out << "]}\n";
    }
    if (!allSame) {
        throw failure("the device does not read back what the backup holds");
    }
    return EXIT_DONE;
}

} // namespace vantrel::ctl
