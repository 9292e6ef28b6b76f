// The profile file's only contact with a POSIX host's file system.
#include "pcsetup/ProfileFile.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
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

std::atomic<unsigned> temporaryCounter{0};

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

int writeOnce(int file, const KeyMapBytes& bytes) {
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

// Gives the fresh file the old file's mode and the key map, flushes it to the disk and closes
// it. Returns 0 or the first error.
int fillTemporary(int file, const std::filesystem::path& target, const KeyMapBytes& keyMap) {
    int error = 0;
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) &&
        fchmod(file, existing.st_mode & permissionBits) != 0) {
        error = errno;
    }
    if (error == 0) {
        error = writeOnce(file, keyMap);
    }
    if (error == 0 && fsync(file) != 0) {
        error = errno;
    }
    if (close(file) != 0 && error == 0) {
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

std::optional<FileErrorCause> writeProfileFile(const std::filesystem::path& path,
                                               const KeyMapBytes& keyMap) {
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    std::filesystem::path temporary;
    const int file = createTemporary(folder, temporary);
    if (file < 0) {
        return causeOf(errno);
    }
    int error = fillTemporary(file, path, keyMap);
    if (error == 0 && rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error == 0) {
        return std::nullopt;
    }
    unlink(temporary.c_str());
    return causeOf(error);
}

} // namespace vantrel
