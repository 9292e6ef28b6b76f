// How a save survives the host's partial failures and other programs' brief hold on its files,
// on a Windows file system, with the refusals the host shows only now and then scripted.
#include "pcsetup/WindowsFileCalls.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

namespace vantrel {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

using Bytes = std::vector<std::uint8_t>;

const KeyMapBytes newKeyMap = [] {
    KeyMapBytes bytes{};
    bytes.fill(0x42);
    return bytes;
}();
const Bytes newContent(newKeyMap.begin(), newKeyMap.end());
const Bytes oldContent(100, 0x17);

const std::string usersName = "keys.map";
const std::string temporaryName = "<temporary>";
const std::string hiddenName = "hidden-old";

// What a call does on its given try, counted from 1: give a code of its own in the host's place,
// or, with nothing, be left to the host.
using Script =
    std::function<std::optional<std::uint32_t>(int attempt, const std::filesystem::path& file)>;

std::optional<std::uint32_t> leftToTheHost(int, const std::filesystem::path&) {
    return std::nullopt;
}

Script failing(std::uint32_t code, int times = INT_MAX) {
    return [=](int attempt, const std::filesystem::path&) {
        return attempt <= times ? std::optional(code) : std::nullopt;
    };
}

// The replacement's partial failures: on the first try the file to be replaced is deleted, or
// renamed away as the host does, and the replacement keeps its name.
Script losingTheOldFile(std::uint32_t code) {
    return [=](int attempt, const std::filesystem::path& replaced) -> std::optional<std::uint32_t> {
        if (attempt > 1) {
            return std::nullopt;
        }
        std::filesystem::remove(replaced);
        return code;
    };
}

Script hidingTheOldFile(std::uint32_t code) {
    return [=](int attempt, const std::filesystem::path& replaced) -> std::optional<std::uint32_t> {
        if (attempt > 1) {
            return std::nullopt;
        }
        std::filesystem::rename(replaced, replaced.parent_path() / hiddenName);
        return code;
    };
}

// The calls as a save makes them: each try runs the case's script first, and the host's own call
// where the script leaves it; the pauses are counted instead of waited.
struct ScriptedCalls {
    Script replace = leftToTheHost;
    Script move = leftToTheHost;
    Script remove = leftToTheHost;
    int replaceTries = 0;
    int moveTries = 0;
    int removeTries = 0;
    int pauses = 0;

    WindowsFileCalls calls() {
        const WindowsFileCalls& host = hostFileCalls();
        return {
            .replace =
                [this, &host](const std::filesystem::path& replaced,
                              const std::filesystem::path& replacement) {
                    const auto scripted = replace(++replaceTries, replaced);
                    return scripted ? *scripted : host.replace(replaced, replacement);
                },
            .move =
                [this, &host](const std::filesystem::path& from, const std::filesystem::path& to) {
                    const auto scripted = move(++moveTries, from);
                    return scripted ? *scripted : host.move(from, to);
                },
            .remove =
                [this, &host](const std::filesystem::path& file) {
                    const auto scripted = remove(++removeTries, file);
                    return scripted ? *scripted : host.remove(file);
                },
            .pause = [this] { ++pauses; },
        };
    }
};

// Every file in the folder with its bytes, the save's temporary file under one name whatever its
// own.
std::map<std::string, Bytes> contents(const TempFolder& folder) {
    std::map<std::string, Bytes> files;
    for (const std::string& name : folder.names()) {
        files[name.starts_with(".vantrel-") ? temporaryName : name] = readBytes(folder / name);
    }
    return files;
}

TEST(ProfileFileWindows, PartialFailuresAndBriefRefusalsLoseNeitherFile) {
    struct Case {
        const char* what;
        ScriptedCalls script{};
        bool existing = true;
        std::optional<FileErrorCause> cause{};
        std::map<std::string, Bytes> left{};
        int replaceTries = 1;
        int pauses = 0;
    };
    const Bytes& fresh = newContent;
    const Bytes& old = oldContent;
    Case cases[] = {
        {.what = "replaced at once", .left = {{usersName, fresh}}},
        {.what = "a new file",
         .script = {.move = failing(ERROR_SHARING_VIOLATION, 1)},
         .existing = false,
         .left = {{usersName, fresh}},
         .pauses = 1},
        {.what = "old file gone, the new one under its temporary name",
         .script = {.replace = losingTheOldFile(ERROR_UNABLE_TO_MOVE_REPLACEMENT)},
         .left = {{usersName, fresh}}},
        {.what = "old file renamed away, the new one under its temporary name",
         .script = {.replace = hidingTheOldFile(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)},
         .left = {{usersName, fresh}, {hiddenName, old}}},
        {.what = "old file gone, and the new one may not take its name",
         .script = {.replace = losingTheOldFile(ERROR_UNABLE_TO_MOVE_REPLACEMENT),
                    .move = failing(ERROR_SHARING_VIOLATION)},
         .cause = FileErrorCause::SharingViolation,
         .left = {{temporaryName, fresh}},
         .pauses = 9},
        {.what = "old file renamed away, and the new one may not take its name",
         .script = {.replace = hidingTheOldFile(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2),
                    .move = failing(ERROR_WRITE_PROTECT)},
         .cause = FileErrorCause::AccessDenied,
         .left = {{temporaryName, fresh}, {hiddenName, old}}},
        {.what = "a sharing violation, twice",
         .script = {.replace = failing(ERROR_SHARING_VIOLATION, 2)},
         .left = {{usersName, fresh}},
         .replaceTries = 3,
         .pauses = 2},
        {.what = "access denied, once",
         .script = {.replace = failing(ERROR_ACCESS_DENIED, 1)},
         .left = {{usersName, fresh}},
         .replaceTries = 2,
         .pauses = 1},
        {.what = "a sharing violation that lasts",
         .script = {.replace = failing(ERROR_SHARING_VIOLATION)},
         .cause = FileErrorCause::SharingViolation,
         .left = {{usersName, old}},
         .replaceTries = 10,
         .pauses = 9},
        {.what = "refused, and the temporary file held open a moment",
         .script = {.replace = failing(ERROR_WRITE_PROTECT),
                    .remove = failing(ERROR_SHARING_VIOLATION, 2)},
         .cause = FileErrorCause::AccessDenied,
         .left = {{usersName, old}},
         .pauses = 2},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        if (c.existing) {
            writeBytes(folder / usersName, oldContent);
        }
        EXPECT_EQ(writeProfileFile(folder / usersName, newKeyMap, c.script.calls()), c.cause);
        EXPECT_EQ(contents(folder), c.left);
        EXPECT_EQ(c.script.replaceTries, c.replaceTries);
        EXPECT_EQ(c.script.pauses, c.pauses);
    }
}

// The save's own files among those in the folder. Wine's ReplaceFileW leaves an empty file of its
// own behind each time another handle refuses it: that one is the host's doing, not the save's.
std::map<std::string, Bytes> savesFiles(const TempFolder& folder) {
    std::map<std::string, Bytes> files = contents(folder);
    std::erase_if(files, [](const auto& file) {
        return file.first.starts_with("rf") && file.first.ends_with(".tmp") && file.second.empty();
    });
    return files;
}

TEST(ProfileFileWindows, AFileHeldOpenByAnotherProgramIsTriedAgainThenLeftAsItWas) {
    TempFolder folder;
    const std::filesystem::path path = folder / usersName;
    writeBytes(path, oldContent);
    // Open as a scanner opens it: reading, and letting others read, but not delete or rename.
    const HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    ScriptedCalls host;
    const auto cause = writeProfileFile(path, newKeyMap, host.calls());
    CloseHandle(held);

    ASSERT_TRUE(cause);
    EXPECT_TRUE(*cause == FileErrorCause::SharingViolation ||
                *cause == FileErrorCause::AccessDenied)
        << fileErrorText(*cause, path.string());
    EXPECT_EQ(host.replaceTries, 10);
    EXPECT_EQ(savesFiles(folder), (std::map<std::string, Bytes>{{usersName, oldContent}}));

    EXPECT_EQ(writeProfileFile(path, newKeyMap, host.calls()), std::nullopt) << "once let go";
    EXPECT_EQ(savesFiles(folder), (std::map<std::string, Bytes>{{usersName, newContent}}));
}

} // namespace
} // namespace vantrel
