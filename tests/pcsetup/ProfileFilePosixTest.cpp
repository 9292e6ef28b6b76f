// Real refusals of a POSIX file system, as root too, and how a save survives them.
#include "pcsetup/ProfileActions.h"
#include "pcsetup/ProfileFile.h"

#include "tests/pcsetup/ScriptedFileDialogs.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <functional>
#include <grp.h>
#include <optional>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace vantrel {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

const KeyMapBytes newKeyMap = [] {
    KeyMapBytes bytes{};
    bytes.fill(0x42);
    return bytes;
}();
const std::vector<std::uint8_t> oldContent(64, 0x17);

// Lowers one soft limit of this process until the end of the scope. A file grown past the size
// limit would also raise SIGXFSZ, which is ignored meanwhile so that the write fails instead.
class ScopedLimit {
public:
    ScopedLimit(int resource, rlim_t value) : resource_(resource) {
        getrlimit(resource_, &saved_);
        rlimit lowered = saved_;
        lowered.rlim_cur = value;
        EXPECT_EQ(setrlimit(resource_, &lowered), 0);
        savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~ScopedLimit() {
        setrlimit(resource_, &saved_);
        std::signal(SIGXFSZ, savedHandler_);
    }
    ScopedLimit(const ScopedLimit&) = delete;
    ScopedLimit& operator=(const ScopedLimit&) = delete;

private:
    int resource_;
    rlimit saved_{};
    void (*savedHandler_)(int) = nullptr;
};

// The limit that leaves this process no further file descriptor.
rlim_t noFurtherFiles() {
    const int probe = dup(0);
    close(probe);
    return static_cast<rlim_t>(probe);
}

// The user a superuser test drops to, "nobody" on the usual hosts.
constexpr uid_t unprivilegedId = 65534;
constexpr int cannotDropExit = 3;

// Runs body as a user the host's permission checks apply to, and returns what it reported, or
// nullopt when the superuser could not become such a user. A superuser test runs body in a child
// process that first hands the folder to that user and then drops to it for good.
std::optional<std::string> asUnprivileged(const TempFolder& folder,
                                          const std::function<std::string()>& body) {
    if (geteuid() != 0) {
        return body();
    }
    int channel[2];
    if (pipe(channel) != 0) {
        return std::nullopt;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        if (chown(folder.path().c_str(), unprivilegedId, unprivilegedId) != 0 ||
            setgroups(0, nullptr) != 0 || setgid(unprivilegedId) != 0 ||
            setuid(unprivilegedId) != 0 || geteuid() != unprivilegedId) {
            _exit(cannotDropExit);
        }
        const std::string report = body();
        const bool sent =
            write(channel[1], report.data(), report.size()) == static_cast<ssize_t>(report.size());
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    std::string report;
    std::array<char, 512> chunk{};
    ssize_t count = 0;
    while ((count = read(channel[0], chunk.data(), chunk.size())) > 0) {
        report.append(chunk.data(), static_cast<std::size_t>(count));
    }
    close(channel[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) == cannotDropExit) {
        return std::nullopt;
    }
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the unprivileged run could not report";
    return report;
}

// What a save told the user: the texts of its boxes, one a line; empty when it succeeded.
std::string saveAndReport(const std::filesystem::path& path, const KeyMapBytes& keyMap) {
    KeyMap map;
    map.replaceFromDevice(keyMap);
    test::ScriptedFileDialogs dialogs;
    dialogs.saveAnswer = path;
    test::RecordingMessages messages;
    saveProfile(map, dialogs, messages);
    std::string report;
    for (const std::string& text : messages.texts()) {
        report += text + "\n";
    }
    return report;
}

std::set<std::string> namesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

struct FileFacts {
    ino_t inode;
    nlink_t links;
    uid_t owner;
    gid_t group;
    mode_t mode;
};

FileFacts factsOf(const std::filesystem::path& path) {
    struct stat info {};
    EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
    return {info.st_ino, info.st_nlink, info.st_uid, info.st_gid, info.st_mode & 07777};
}

enum class Descriptors { Available, Exhausted };

struct FailureCase {
    std::string what;
    std::function<std::filesystem::path(const TempFolder&)> prepare;
    FileErrorCause cause;
    Descriptors descriptors = Descriptors::Available;
};

class ProfileFilePosixTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeBytes(folder / "plain", oldContent);
        std::filesystem::create_directory(folder / "sub");
    }

    TempFolder folder;
};

TEST_F(ProfileFilePosixTest, ReadRefusalsNameTheirCause) {
    const FailureCase cases[] = {
        {"missing file", [](const TempFolder& f) { return f / "missing.map"; },
         FileErrorCause::FileNotFound},
        {"path through a file", [](const TempFolder& f) { return f / "plain" / "keys.map"; },
         FileErrorCause::BadPath},
        {"name too long", [](const TempFolder& f) { return f / std::string(300, 'k'); },
         FileErrorCause::BadPath},
        {"link loop",
         [](const TempFolder& f) {
             std::filesystem::create_symlink(f / "loopB", f / "loopA");
             std::filesystem::create_symlink(f / "loopA", f / "loopB");
             return f / "loopA";
         },
         FileErrorCause::BadPath},
        {"folder", [](const TempFolder& f) { return f / "sub"; }, FileErrorCause::AccessDenied},
        {"no file descriptor left", [](const TempFolder& f) { return f / "plain"; },
         FileErrorCause::TooManyOpenFiles, Descriptors::Exhausted},
    };
    for (const FailureCase& c : cases) {
        const std::filesystem::path path = c.prepare(folder);
        ProfileReadResult result{ProfileReadStatus::Read};
        if (c.descriptors == Descriptors::Exhausted) {
            const ScopedLimit limit(RLIMIT_NOFILE, noFurtherFiles());
            result = readProfileFile(path);
        } else {
            result = readProfileFile(path);
        }
        EXPECT_EQ(result.status, ProfileReadStatus::FileError) << c.what;
        EXPECT_EQ(result.cause, c.cause) << c.what;
    }
}

TEST_F(ProfileFilePosixTest, WriteRefusalsNameTheirCauseAndLeaveTheFolderAsItWas) {
    const FailureCase cases[] = {
        {"missing folder", [](const TempFolder& f) { return f / "missing" / "keys.map"; },
         FileErrorCause::FileNotFound},
        {"path through a file", [](const TempFolder& f) { return f / "plain" / "keys.map"; },
         FileErrorCause::BadPath},
        {"onto a folder", [](const TempFolder& f) { return f / "sub"; },
         FileErrorCause::AccessDenied},
        {"no file descriptor left", [](const TempFolder& f) { return f / "plain"; },
         FileErrorCause::TooManyOpenFiles, Descriptors::Exhausted},
    };
    for (const FailureCase& c : cases) {
        const std::filesystem::path path = c.prepare(folder);
        std::optional<FileErrorCause> failure;
        if (c.descriptors == Descriptors::Exhausted) {
            const ScopedLimit limit(RLIMIT_NOFILE, noFurtherFiles());
            failure = writeProfileFile(path, newKeyMap);
        } else {
            failure = writeProfileFile(path, newKeyMap);
        }
        EXPECT_EQ(failure, c.cause) << c.what;
        EXPECT_EQ(folder.names(), (std::set<std::string>{"plain", "sub"})) << c.what;
        EXPECT_EQ(readBytes(folder / "plain"), oldContent) << c.what;
        EXPECT_TRUE(std::filesystem::is_empty(folder / "sub")) << c.what;
    }
}

TEST_F(ProfileFilePosixTest, SaveThatRunsOutOfRoomKeepsTheOldFileWhole) {
    const auto path = folder / "keys.map";
    writeBytes(path, oldContent);
    chmod(path.c_str(), 0640);

    for (const rlim_t room : {rlim_t{0}, rlim_t{10}}) {
        std::optional<FileErrorCause> failure;
        {
            const ScopedLimit limit(RLIMIT_FSIZE, room);
            failure = writeProfileFile(path, newKeyMap);
        }
        EXPECT_EQ(failure, FileErrorCause::DiskFull) << room << " bytes of room";
        EXPECT_EQ(readBytes(path), oldContent) << room << " bytes of room";
        EXPECT_EQ(std::filesystem::status(path).permissions(),
                  static_cast<std::filesystem::perms>(0640));
        EXPECT_EQ(folder.names(), (std::set<std::string>{"keys.map", "plain", "sub"}));
    }
}

TEST_F(ProfileFilePosixTest, NewProfileGetsTheUsualModeAndAnExistingOneKeepsItsOwn) {
    const mode_t savedMask = umask(027);
    const auto fresh = folder / "fresh.map";
    const auto existing = folder / "existing.map";
    writeBytes(existing, oldContent);
    chmod(existing.c_str(), 0604);

    const auto freshFailure = writeProfileFile(fresh, newKeyMap);
    const auto existingFailure = writeProfileFile(existing, newKeyMap);
    umask(savedMask);

    EXPECT_EQ(freshFailure, std::nullopt);
    EXPECT_EQ(existingFailure, std::nullopt);
    struct stat freshInfo {};
    struct stat existingInfo {};
    ASSERT_EQ(stat(fresh.c_str(), &freshInfo), 0);
    ASSERT_EQ(stat(existing.c_str(), &existingInfo), 0);
    EXPECT_EQ(freshInfo.st_mode & 07777, 0640U);
    EXPECT_EQ(existingInfo.st_mode & 07777, 0604U);
    EXPECT_EQ(readProfileFile(existing).keyMap, newKeyMap);
}

TEST(ProfileFilePermissions, AUserIsRefusedWhatTheyMayNotWriteAndKeepsTheRest) {
    struct Case {
        std::string what;
        mode_t fileMode;
        mode_t folderMode;
        bool refused;
    };
    const Case cases[] = {
        {"read-only file", 0444, 0755, true},
        {"writable file in a read-only folder", 0666, 0555, false},
    };
    for (const Case& c : cases) {
        const TempFolder caseFolder;
        const auto path = caseFolder / "keys.map";
        writeBytes(path, oldContent);
        chmod(path.c_str(), c.fileMode);
        if (geteuid() == 0) {
            ASSERT_EQ(chown(path.c_str(), unprivilegedId, unprivilegedId), 0);
        }
        const FileFacts before = factsOf(path);
        chmod(caseFolder.path().c_str(), c.folderMode);

        const std::optional<std::string> report =
            asUnprivileged(caseFolder, [&] { return saveAndReport(path, newKeyMap); });
        chmod(caseFolder.path().c_str(), 0700);
        if (!report) {
            GTEST_SKIP() << "the superuser could not become user " << unprivilegedId;
        }

        EXPECT_EQ(*report, c.refused ? "Access to " + path.string() + " was denied.\n" : "")
            << c.what;
        EXPECT_EQ(readBytes(path),
                  c.refused ? oldContent
                            : std::vector<std::uint8_t>(newKeyMap.begin(), newKeyMap.end()))
            << c.what;
        const FileFacts after = factsOf(path);
        EXPECT_EQ(after.inode, before.inode) << c.what;
        EXPECT_EQ(after.owner, before.owner) << c.what;
        EXPECT_EQ(after.mode, c.fileMode) << c.what;
        EXPECT_EQ(caseFolder.names(), std::set<std::string>{"keys.map"}) << c.what;
    }
}

TEST(ProfileFilePermissions, AFileOfAnotherUserKeepsItsOwnerAndMode) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only the superuser can give a file to another user";
    }
    enum class Saver { Superuser, Unprivileged };
    struct Case {
        std::string what;
        Saver saver;
        uid_t owner;
        mode_t mode;
        bool replaced; // by a fresh file, the crash-safe way; otherwise written in place
    };
    const Case cases[] = {
        {"the superuser saves a user's file", Saver::Superuser, unprivilegedId, 0640, true},
        // Refused to any user, as the truncating open would have refused it; not to the superuser.
        {"the superuser saves a read-only file", Saver::Superuser, unprivilegedId, 0444, true},
        {"a user saves a writable file of the superuser's", Saver::Unprivileged, 0, 0666, false},
    };
    for (const Case& c : cases) {
        const TempFolder caseFolder;
        const auto path = caseFolder / "keys.map";
        writeBytes(path, oldContent);
        ASSERT_EQ(chown(path.c_str(), c.owner, c.owner), 0);
        chmod(path.c_str(), c.mode);
        const FileFacts before = factsOf(path);

        std::optional<std::string> report;
        if (c.saver == Saver::Unprivileged) {
            chmod(caseFolder.path().c_str(), 0755);
            report = asUnprivileged(caseFolder, [&] { return saveAndReport(path, newKeyMap); });
            if (!report) {
                GTEST_SKIP() << "the superuser could not become user " << unprivilegedId;
            }
        } else {
            report = saveAndReport(path, newKeyMap);
        }

        EXPECT_EQ(*report, "") << c.what;
        EXPECT_EQ(readBytes(path), std::vector<std::uint8_t>(newKeyMap.begin(), newKeyMap.end()))
            << c.what;
        const FileFacts after = factsOf(path);
        EXPECT_EQ(after.inode != before.inode, c.replaced) << c.what;
        EXPECT_EQ(after.owner, c.owner) << c.what;
        EXPECT_EQ(after.group, static_cast<gid_t>(c.owner)) << c.what;
        EXPECT_EQ(after.mode, c.mode) << c.what;
        EXPECT_EQ(caseFolder.names(), std::set<std::string>{"keys.map"}) << c.what;
    }
}

TEST_F(ProfileFilePosixTest, SaveThroughALinkWritesWhatItPointsToAndKeepsTheLink) {
    struct Case {
        std::string what;
        std::vector<std::pair<std::string, std::string>> links; // name, what it points to
        std::string target;                                     // relative to the folder
        bool targetExists;
        std::optional<FileErrorCause> failure;
    };
    const std::string sub = "sub/target.map";
    const Case cases[] = {
        {"link beside its target", {{"link.map", "target.map"}}, "target.map", true, std::nullopt},
        {"link into another folder",
         {{"link.map", (folder / sub).string()}},
         sub,
         true,
         std::nullopt},
        {"link to a link",
         {{"link.map", "mid.map"}, {"mid.map", "target.map"}},
         "target.map",
         true,
         std::nullopt},
        {"dangling link", {{"link.map", "target.map"}}, "target.map", false, std::nullopt},
        {"dangling link into a missing folder",
         {{"link.map", "missing/target.map"}},
         "missing/target.map",
         false,
         FileErrorCause::FileNotFound},
    };
    for (const Case& c : cases) {
        if (c.targetExists) {
            writeBytes(folder / c.target, oldContent);
        }
        for (const auto& [name, pointsTo] : c.links) {
            std::filesystem::create_symlink(pointsTo, folder / name);
        }
        const std::set<std::string> namesBefore = folder.names();
        const std::set<std::string> subNamesBefore = namesIn(folder / "sub");

        EXPECT_EQ(writeProfileFile(folder / "link.map", newKeyMap), c.failure) << c.what;

        for (const auto& [name, pointsTo] : c.links) {
            EXPECT_TRUE(std::filesystem::is_symlink(folder / name)) << c.what << ": " << name;
            EXPECT_EQ(std::filesystem::read_symlink(folder / name), pointsTo) << c.what;
        }
        if (c.failure) {
            EXPECT_FALSE(std::filesystem::exists(folder / c.target)) << c.what;
        } else {
            EXPECT_EQ(readBytes(folder / c.target),
                      std::vector<std::uint8_t>(newKeyMap.begin(), newKeyMap.end()))
                << c.what;
        }
        std::set<std::string> namesAfter = folder.names();
        if (!c.targetExists && !c.failure) {
            namesAfter.erase(std::filesystem::path(c.target).filename().string());
        }
        EXPECT_EQ(namesAfter, namesBefore) << c.what;
        EXPECT_EQ(namesIn(folder / "sub"), subNamesBefore) << c.what;

        for (const auto& [name, pointsTo] : c.links) {
            std::filesystem::remove(folder / name);
        }
        std::filesystem::remove(folder / c.target);
    }
}

TEST_F(ProfileFilePosixTest, HardLinkedFileIsWrittenInPlaceForAllItsNames) {
    const auto path = folder / "keys.map";
    const auto otherName = folder / "other.map";
    writeBytes(path, std::vector<std::uint8_t>(100, 0x17));
    chmod(path.c_str(), 0604);
    std::filesystem::create_hard_link(path, otherName);
    const FileFacts before = factsOf(path);

    EXPECT_EQ(writeProfileFile(path, newKeyMap), std::nullopt);

    const std::vector<std::uint8_t> written(newKeyMap.begin(), newKeyMap.end());
    EXPECT_EQ(readBytes(path), written);
    EXPECT_EQ(readBytes(otherName), written);
    const FileFacts after = factsOf(path);
    EXPECT_EQ(after.inode, before.inode);
    EXPECT_EQ(after.links, 2U);
    EXPECT_EQ(after.mode, 0604U);
    EXPECT_EQ(folder.names(), (std::set<std::string>{"keys.map", "other.map", "plain", "sub"}));
}

} // namespace
} // namespace vantrel
