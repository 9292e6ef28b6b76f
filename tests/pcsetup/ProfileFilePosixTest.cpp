// Real refusals of a POSIX file system, as root too, and how a save survives them.
#include "pcsetup/ProfileFile.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
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

} // namespace
} // namespace vantrel
