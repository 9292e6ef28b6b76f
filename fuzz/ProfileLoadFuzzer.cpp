// Arbitrary bytes as the profile file that Load Profile opens: exactly 64 bytes replace the key
// map verbatim, with the old map as the baseline and one label refresh; anything else shows
// "Corrupted File!" and leaves both copies as they were.
#include "fuzz/CountingMessages.h"
#include "fuzz/FuzzCheck.h"
#include "pcsetup/ProfileActions.h"
#include "pcsetup/ProfileFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace vantrel::fuzz {
namespace {

// The file lives in memory and is opened by its /proc name, so every input goes through the
// real open, measure, read and close of the host without touching a disk.
class MemoryFile {
public:
    MemoryFile() : file_(memfd_create("profile.map", MFD_CLOEXEC)) {
        require(file_ >= 0, "an in-memory file can be made");
    }

    std::filesystem::path path() const { return "/proc/self/fd/" + std::to_string(file_); }

    void fill(const std::uint8_t* data, std::size_t size) {
        require(ftruncate(file_, 0) == 0, "the file empties");
        std::size_t written = 0;
        while (written < size) {
            const ssize_t count =
                pwrite(file_, data + written, size - written, static_cast<off_t>(written));
            require(count > 0, "the file takes the input");
            written += static_cast<std::size_t>(count);
        }
    }

private:
    int file_;
};

class ChosenFile : public FileDialogs {
public:
    explicit ChosenFile(std::filesystem::path path) : path_(std::move(path)) {}
    std::optional<std::filesystem::path> choosePathToOpen() override { return path_; }
    std::optional<std::filesystem::path> choosePathToSave() override { return std::nullopt; }

private:
    std::filesystem::path path_;
};

// A map whose two copies differ in every slot, so that a change to either shows.
KeyMap startingMap() {
    KeyMap keyMap;
    KeyMapBytes device{};
    for (std::size_t i = 0; i < device.size(); ++i) {
        device[i] = static_cast<std::uint8_t>(0x80 + i);
    }
    keyMap.replaceFromDevice(device);
    keyMap.clearRefreshAllLabels();
    keyMap.resetToDefaults();
    return keyMap;
}

MemoryFile& memoryFile() {
    static MemoryFile file;
    return file;
}

} // namespace
} // namespace vantrel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    using fuzz::require;
    fuzz::MemoryFile& file = fuzz::memoryFile();
    file.fill(data, size);

    KeyMap keyMap = fuzz::startingMap();
    const KeyMap before = keyMap;
    fuzz::ChosenFile dialogs(file.path());
    fuzz::CountingMessages messages;
    int refreshes = 0;
    loadProfile(keyMap, dialogs, messages, [&] {
        ++refreshes;
        require(keyMap.baselineKeyMap() == before.currentKeyMap(),
                "the labels refresh against the map as it stood before the load");
    });

    require(keyMap.refreshAllLabels() == before.refreshAllLabels(),
            "a load leaves the device refresh flag alone");
    if (size == PROFILE_FILE_SIZE) {
        require(std::equal(data, data + size, keyMap.currentKeyMap().begin()),
                "a 64-byte file loads verbatim");
        require(keyMap.baselineKeyMap() == before.currentKeyMap(),
                "the baseline is the map before the load");
        require(refreshes == 1, "a load refreshes the labels once");
        require(messages.texts.empty(), "a load that succeeds says nothing");
    } else {
        require(keyMap.currentKeyMap() == before.currentKeyMap() &&
                    keyMap.baselineKeyMap() == before.baselineKeyMap(),
                "a file of another length changes nothing");
        require(refreshes == 0, "a refused file refreshes nothing");
        require(messages.texts.size() == 1 && messages.texts[0] == corruptedFileMessage,
                "a file of another length is called corrupted, once");
    }
    return 0;
}
