// The profile file's only contact with a POSIX host's file system.
#include "pcsetup/ProfileFile.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel {

namespace {

struct ErrnoCause {
    int error;
    FileErrorCause cause;
};

constexpr std::array errnoCauses{
    ErrnoCause{ENOENT, FileErrorCause::FileNotFound},
    ErrnoCause{ENOTDIR, FileErrorCause::BadPath},
    ErrnoCause{ENAMETOOLONG, FileErrorCause::BadPath},
    ErrnoCause{ELOOP, FileErrorCause::BadPath},
    ErrnoCause{EINVAL, FileErrorCause::BadPath},
    ErrnoCause{EMFILE, FileErrorCause::TooManyOpenFiles},
    ErrnoCause{ENFILE, FileErrorCause::TooManyOpenFiles},
    ErrnoCause{EACCES, FileErrorCause::AccessDenied},
    ErrnoCause{EPERM, FileErrorCause::AccessDenied},
    ErrnoCause{EROFS, FileErrorCause::AccessDenied},
    ErrnoCause{EISDIR, FileErrorCause::AccessDenied},
    ErrnoCause{EBADF, FileErrorCause::InvalidHandle},
    ErrnoCause{EMLINK, FileErrorCause::DirectoryFull},
    ErrnoCause{EIO, FileErrorCause::HardwareIo},
    ErrnoCause{ETXTBSY, FileErrorCause::SharingViolation},
    ErrnoCause{EBUSY, FileErrorCause::SharingViolation},
    ErrnoCause{ENOLCK, FileErrorCause::LockingViolation},
    ErrnoCause{EDEADLK, FileErrorCause::LockingViolation},
    ErrnoCause{ENOSPC, FileErrorCause::DiskFull},
    ErrnoCause{EDQUOT, FileErrorCause::DiskFull},
    ErrnoCause{EFBIG, FileErrorCause::DiskFull},
    ErrnoCause{EOVERFLOW, FileErrorCause::PastEnd},
    ErrnoCause{ESPIPE, FileErrorCause::PastEnd},
};

FileErrorCause causeOf(int error) {
    const auto* found =
        std::find_if(errnoCauses.begin(), errnoCauses.end(),
                     [error](const ErrnoCause& entry) { return entry.error == error; });
    return found == errnoCauses.end() ? FileErrorCause::Unknown : found->cause;
}

ProfileReadResult readFailure(int error) {
    return {ProfileReadStatus::FileError, {}, causeOf(error)};
}

ProfileReadResult readOpenFile(int file) {
    struct stat info {};
    if (fstat(file, &info) != 0) {
        return readFailure(errno);
    }
    // Other hosts refuse to open a folder as a file; say so the same way here.
    if (S_ISDIR(info.st_mode)) {
        return readFailure(EISDIR);
    }
    if (info.st_size != static_cast<off_t>(PROFILE_FILE_SIZE)) {
        return {ProfileReadStatus::Corrupted};
    }
    ProfileReadResult result{ProfileReadStatus::Read};
    std::size_t filled = 0;
    while (filled < result.keyMap.size()) {
        const ssize_t count =
            read(file, result.keyMap.data() + filled, result.keyMap.size() - filled);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return readFailure(errno);
        }
        if (count == 0) {
            return {ProfileReadStatus::ReadShort};
        }
        filled += static_cast<std::size_t>(count);
    }
    return result;
}

// 0666 narrowed by the umask, as for any new file.
constexpr mode_t newFileMode = 0666;
constexpr mode_t permissionBits = 07777;
constexpr int temporaryNameAttempts = 100;
// As many links in a row as the host itself follows before it gives up with ELOOP.
constexpr int maxLinkHops = 40;
// A write in place that the host keeps taking piecemeal is given up as out of room.
constexpr int inPlaceWriteAttempts = 8;

std::atomic<unsigned> temporaryCounter{0};

// Follows the symbolic links at target to the name the profile's bytes live under, so that the
// save writes the file a link points to and the link stays a link. That name need not exist: a
// dangling link names the file to create, as an open for writing would. Returns 0 or ELOOP.
int resolveLinks(std::filesystem::path& target) {
    for (int hop = 0; hop < maxLinkHops; ++hop) {
        struct stat info {};
        if (lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            // Whatever stops the walk here, the open that follows reports it.
            return 0;
        }
        std::array<char, PATH_MAX> text{};
        const ssize_t length = readlink(target.c_str(), text.data(), text.size());
        if (length < 0 || static_cast<std::size_t>(length) == text.size()) {
            return 0;
        }
        const std::filesystem::path next(
            std::string(text.data(), static_cast<std::size_t>(length)));
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return ELOOP;
}

// Creates an empty file of its own in folder; -1 with errno set when the host refuses. It lies
// beside the target so that the rename replacing the target stays within one file system.
int createTemporary(const std::filesystem::path& folder, std::filesystem::path& created) {
    for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
        created = folder / (".vantrel-" + std::to_string(getpid()) + "-" +
                            std::to_string(temporaryCounter++) + ".tmp");
        const int file =
            open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, newFileMode);
        if (file >= 0 || errno != EEXIST) {
            return file;
        }
    }
    return -1;
}

// Gives the fresh file the existing one's owner and mode; false when the host won't, for
// example because the existing file belongs to someone else. The owner goes first: changing it
// clears the set-user-ID and set-group-ID bits the mode then restores.
bool takeOwnerAndMode(int file, const struct stat& existing) {
    struct stat fresh {};
    if (fstat(file, &fresh) != 0) {
        return false;
    }
    if ((fresh.st_uid != existing.st_uid || fresh.st_gid != existing.st_gid) &&
        fchown(file, existing.st_uid, existing.st_gid) != 0) {
        return false;
    }
    return fchmod(file, existing.st_mode & permissionBits) == 0;
}

int writeOnce(int file, std::span<const std::uint8_t> bytes) {
    ssize_t count = 0;
    do {
        count = write(file, bytes.data(), bytes.size());
    } while (count < 0 && errno == EINTR);
    if (count < 0) {
        return errno;
    }
    // The host took fewer bytes than asked: it has run out of room.
    return static_cast<std::size_t>(count) < bytes.size() ? ENOSPC : 0;
}

// Writes the key map into the fresh file, flushes it to the disk and closes it. Returns 0 or the
// first error.
int fillTemporary(int file, std::span<const std::uint8_t> keyMap) {
    int error = writeOnce(file, keyMap);
    if (error == 0 && fsync(file) != 0) {
        error = errno;
    }
    if (close(file) != 0 && error == 0) {
        error = errno;
    }
    return error;
}

enum class Replacement {
    Finished, // the target now holds the key map, or error says why not and the old file is whole
    NotKept,  // a fresh file could not stand in for the existing one; nothing was changed
};

struct ReplaceResult {
    Replacement outcome;
    int error = 0;
};

// The crash-safe save: the bytes go to a fresh file beside target, which then takes target's
// place in one rename, so a failure at any point leaves the old file as it was and nothing else
// behind. existing describes the file there now, or is null when there is none.
ReplaceResult replaceThroughTemporary(const std::filesystem::path& target,
                                      const struct stat* existing,
                                      std::span<const std::uint8_t> keyMap) {
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::filesystem::path temporary;
    const int file = createTemporary(folder, temporary);
    if (file < 0) {
        // A folder that takes no new file may still let its existing file be written.
        return existing == nullptr ? ReplaceResult{Replacement::Finished, errno}
                                   : ReplaceResult{Replacement::NotKept};
    }
    if (existing != nullptr && !takeOwnerAndMode(file, *existing)) {
        close(file);
        unlink(temporary.c_str());
        return {Replacement::NotKept};
    }
    int error = fillTemporary(file, keyMap);
    if (error == 0 && rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        unlink(temporary.c_str());
    }
    return {Replacement::Finished, error};
}

// Writes the key map over the existing file itself, which so keeps its owner, its mode and its
// other names. It is never emptied first, unlike by a truncating open: the new bytes cover the
// old ones from the start, and only once all 64 are in is anything beyond them cut off. A profile
// is exactly that long, so the cut never takes a new byte, and at no moment is the file shorter
// than both its old contents and a whole profile. A failure part-way leaves old and new bytes
// mixed, where the truncating open would have left a partly written file. Returns 0 or the first
// error.
int overwriteInPlace(int file, std::span<const std::uint8_t> keyMap) {
    std::size_t filled = 0;
    for (int attempt = 0; filled < keyMap.size(); ++attempt) {
        if (attempt == inPlaceWriteAttempts) {
            return ENOSPC;
        }
        const ssize_t count = pwrite(file, keyMap.data() + filled, keyMap.size() - filled,
                                     static_cast<off_t>(filled));
        if (count < 0 && errno != EINTR) {
            return errno;
        }
        if (count == 0) {
            return ENOSPC;
        }
        if (count > 0) {
            filled += static_cast<std::size_t>(count);
        }
    }
    if (ftruncate(file, static_cast<off_t>(keyMap.size())) != 0 || fsync(file) != 0) {
        return errno;
    }
    return 0;
}

// Saves over the file open as existing (for writing) at target, and closes it. Returns 0 or the
// first error.
int saveOverExisting(int existing, const std::filesystem::path& target,
                     std::span<const std::uint8_t> keyMap) {
    struct stat info {};
    int error = fstat(existing, &info) == 0 ? 0 : errno;
    // Only a plain file holds a profile; a device or a pipe at that name is refused.
    if (error == 0 && !S_ISREG(info.st_mode)) {
        error = EACCES;
    }
    if (error != 0) {
        close(existing);
        return error;
    }
    // A file with other names is one file: replacing it would part those names from it.
    if (info.st_nlink == 1) {
        const ReplaceResult replaced = replaceThroughTemporary(target, &info, keyMap);
        if (replaced.outcome == Replacement::Finished) {
            // Nothing was written through this descriptor: its closing can't lose anything.
            close(existing);
            return replaced.error;
        }
    }
    error = overwriteInPlace(existing, keyMap);
    if (close(existing) != 0 && error == 0) {
        error = errno;
    }
    return error;
}

} // namespace

ProfileReadResult readProfileFile(const std::filesystem::path& path) {
    // Opening without waiting keeps a named pipe from hanging the page; it has no length of 64
    // and is refused like any other such file.
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (file < 0) {
        return readFailure(errno);
    }
    const ProfileReadResult result = readOpenFile(file);
    if (close(file) != 0 && result.status != ProfileReadStatus::FileError) {
        return readFailure(errno);
    }
    return result;
}

std::optional<FileErrorCause> writeFileSafely(const std::filesystem::path& path,
                                              std::span<const std::uint8_t> keyMap) {
    std::filesystem::path target = path;
    if (const int error = resolveLinks(target); error != 0) {
        return causeOf(error);
    }
    // Opening the existing file for writing, without truncating it, asks the host exactly what
    // the truncating open of a plain save would: a read-only file, a read-only mount or a folder
    // is refused here, and the superuser, whom the host lets write any file, may write it here.
    const int existing = open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    int error = 0;
    if (existing >= 0) {
        error = saveOverExisting(existing, target, keyMap);
    } else if (errno == ENOENT) {
        error = replaceThroughTemporary(target, nullptr, keyMap).error;
    } else {
        error = errno;
    }
    return error == 0 ? std::nullopt : std::optional<FileErrorCause>(causeOf(error));
}

} // namespace vantrel
