#include "tests/soak/ProfileSteps.h"

#include "tests/soak/PageInput.h"
#include "tests/soak/PagePlaces.h"

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sys/resource.h>

namespace vantrel::soak {

namespace {

constexpr const char* keptName = "kept";
constexpr const char* keptContent = "a file of the user's";

std::string contentOf(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

void writeFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// While it lives, no file of the process may grow: every write of file data fails as on a full
// disk.
class NoRoomForFiles {
public:
    NoRoomForFiles() {
        getrlimit(RLIMIT_FSIZE, &before_);
        rlimit none = before_;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~NoRoomForFiles() { setrlimit(RLIMIT_FSIZE, &before_); }
    NoRoomForFiles(const NoRoomForFiles&) = delete;
    NoRoomForFiles& operator=(const NoRoomForFiles&) = delete;

private:
    rlimit before_{};
};

std::string pathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

} // namespace

ProfileSteps::ProfileSteps(SoakProgram& program, SoakRandom& random, Tally& tally,
                           Findings& findings, StepRecorder& steps)
    : program_(program), random_(random), tally_(tally), findings_(findings), steps_(steps) {
    // A write beyond the limit fails with its error instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    std::string pattern = (std::filesystem::temp_directory_path() / "vantrel-soak-XXXXXX").string();
    folder_ = mkdtemp(pattern.data());
    profile_ = folder_ / "profile.map";
    inTheWay_ = folder_ / "in-the-way.map";
    writeFile(profile_, std::string(KEY_MAP_SIZE, '\x5A'));
    std::filesystem::create_directory(inTheWay_);
    writeFile(inTheWay_ / keptName, keptContent);
    names_ = folderNames();
}

ProfileSteps::~ProfileSteps() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::set<std::string> ProfileSteps::folderNames() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

void ProfileSteps::save() {
    const Refusal refusal = !random_.chance(30)  ? Refusal::None
                            : random_.chance(50) ? Refusal::DiskFull
                                                 : Refusal::FolderInTheWay;
    // Without the extension the page adds it.
    test::ScriptedFileDialogs& dialogs = program_.fileDialogs();
    if (refusal == Refusal::FolderInTheWay) {
        dialogs.saveAnswer = inTheWay_;
    } else {
        dialogs.saveAnswer = random_.chance(50) ? folder_ / "profile" : profile_;
    }
    const KeyMap& keyMap = program_.pcPage().keyMap();
    const KeyMapBytes current = keyMap.currentKeyMap();
    const KeyMapBytes baseline = keyMap.baselineKeyMap();
    const std::string oldContent = contentOf(profile_);
    const std::size_t logStart = program_.log().size();
    std::vector<SoakMessage> shown = steps_.run([&] {
        std::optional<NoRoomForFiles> noRoom;
        if (refusal == Refusal::DiskFull) {
            noRoom.emplace();
        }
        click(program_.pcWidget(), pcSaveProfileButton);
    });
    ++tally_.profileSaves.attempted;
    // The profile is always there: a name typed without the extension asks before replacing it,
    // and the answer is Yes.
    if (dialogs.saveAnswer != profile_ && dialogs.saveAnswer != inTheWay_) {
        if (shown.empty() ||
            shown.front().text != "profile.map already exists.\nDo you want to replace it?") {
            findings_.fail("Save As Profile of \"profile\" did not ask before replacing "
                           "profile.map, it said " +
                           quoted(textsOf(shown)));
        } else {
            shown.erase(shown.begin());
        }
    }
    if (keyMap.currentKeyMap() != current || keyMap.baselineKeyMap() != baseline ||
        !program_.log().since(logStart, Origin::UserInterface).empty()) {
        findings_.fail("Save As Profile changed the key map or reached the device");
    }
    if (refusal == Refusal::None) {
        checkWritten(shown);
    } else {
        ++tally_.provokedFileFailures;
        checkRefused(refusal, shown, oldContent);
    }
    if (folderNames() != names_) {
        findings_.fail("Save As Profile left other files in its folder than the profile");
    }
}

void ProfileSteps::checkWritten(const std::vector<SoakMessage>& shown) {
    const KeyMapBytes& current = program_.pcPage().keyMap().currentKeyMap();
    if (!shown.empty() || contentOf(profile_) != std::string(current.begin(), current.end())) {
        ++tally_.profileSaves.failed;
        findings_.fail("Save As Profile said " + quoted(textsOf(shown)) +
                       " and the file does not hold the key map");
        return;
    }
    ++tally_.profileSaves.succeeded;
}

void ProfileSteps::checkRefused(Refusal refusal, const std::vector<SoakMessage>& shown,
                                const std::string& oldContent) {
    ++tally_.profileSaves.failed;
    const std::string expected = refusal == Refusal::DiskFull
                                     ? "Disk full while accessing " + pathText(profile_) + "."
                                     : "Access to " + pathText(inTheWay_) + " was denied.";
    if (shown.size() != 1 || shown.front().text != expected ||
        shown.front().icon != MessageIcon::Stop) {
        findings_.fail("a refused Save As Profile said " + quoted(textsOf(shown)) +
                       " instead of \"" + expected + "\" with the stop icon");
    }
    if (contentOf(profile_) != oldContent) {
        findings_.fail("a refused Save As Profile destroyed the old profile");
    }
    if (!std::filesystem::is_directory(inTheWay_) ||
        contentOf(inTheWay_ / keptName) != keptContent) {
        findings_.fail("a refused Save As Profile destroyed the folder in its way");
    }
}

} // namespace vantrel::soak
