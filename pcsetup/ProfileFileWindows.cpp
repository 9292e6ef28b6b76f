// The profile file's only contact with a Windows host's file system.
#include "pcsetup/ProfileFile.h"
#include "pcsetup/WindowsFileCalls.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <string>

#include <windows.h>

namespace vantrel {

namespace {

struct ErrorCause {
    DWORD error;
    FileErrorCause cause;
};

// A missing folder on the way counts as a missing file, as on every other host.
constexpr std::array errorCauses{
    ErrorCause{ERROR_FILE_NOT_FOUND, FileErrorCause::FileNotFound},
    ErrorCause{ERROR_PATH_NOT_FOUND, FileErrorCause::FileNotFound},
    ErrorCause{ERROR_INVALID_NAME, FileErrorCause::BadPath},
    ErrorCause{ERROR_BAD_PATHNAME, FileErrorCause::BadPath},
    ErrorCause{ERROR_INVALID_DRIVE, FileErrorCause::BadPath},
    ErrorCause{ERROR_DIRECTORY, FileErrorCause::BadPath},
    ErrorCause{ERROR_FILENAME_EXCED_RANGE, FileErrorCause::BadPath},
    ErrorCause{ERROR_TOO_MANY_OPEN_FILES, FileErrorCause::TooManyOpenFiles},
    ErrorCause{ERROR_ACCESS_DENIED, FileErrorCause::AccessDenied},
    ErrorCause{ERROR_WRITE_PROTECT, FileErrorCause::AccessDenied},
    ErrorCause{ERROR_NETWORK_ACCESS_DENIED, FileErrorCause::AccessDenied},
    ErrorCause{ERROR_INVALID_HANDLE, FileErrorCause::InvalidHandle},
    ErrorCause{ERROR_CANNOT_MAKE, FileErrorCause::DirectoryFull},
    ErrorCause{ERROR_CRC, FileErrorCause::HardwareIo},
    ErrorCause{ERROR_SEEK, FileErrorCause::HardwareIo},
    ErrorCause{ERROR_SECTOR_NOT_FOUND, FileErrorCause::HardwareIo},
    ErrorCause{ERROR_WRITE_FAULT, FileErrorCause::HardwareIo},
    ErrorCause{ERROR_READ_FAULT, FileErrorCause::HardwareIo},
    ErrorCause{ERROR_GEN_FAILURE, FileErrorCause::HardwareIo},
    ErrorCause{ERROR_IO_DEVICE, FileErrorCause::HardwareIo},
    ErrorCause{ERROR_SHARING_VIOLATION, FileErrorCause::SharingViolation},
    ErrorCause{ERROR_LOCK_VIOLATION, FileErrorCause::LockingViolation},
    ErrorCause{ERROR_DRIVE_LOCKED, FileErrorCause::LockingViolation},
    ErrorCause{ERROR_LOCK_FAILED, FileErrorCause::LockingViolation},
    ErrorCause{ERROR_DISK_FULL, FileErrorCause::DiskFull},
    ErrorCause{ERROR_HANDLE_DISK_FULL, FileErrorCause::DiskFull},
    ErrorCause{ERROR_HANDLE_EOF, FileErrorCause::PastEnd},
    ErrorCause{ERROR_NEGATIVE_SEEK, FileErrorCause::PastEnd},
};

FileErrorCause causeOf(DWORD error) {
    const auto* found =
        std::find_if(errorCauses.begin(), errorCauses.end(),
                     [error](const ErrorCause& entry) { return entry.error == error; });
    return found == errorCauses.end() ? FileErrorCause::Unknown : found->cause;
}

ProfileReadResult readFailure(DWORD error) {
    return {ProfileReadStatus::FileError, {}, causeOf(error)};
}

ProfileReadResult readOpenFile(HANDLE file) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) {
        return readFailure(GetLastError());
    }
    if (size.QuadPart != static_cast<LONGLONG>(PROFILE_FILE_SIZE)) {
        return {ProfileReadStatus::Corrupted};
    }
    ProfileReadResult result{ProfileReadStatus::Read};
    DWORD filled = 0;
    while (filled < result.keyMap.size()) {
        DWORD count = 0;
        if (!ReadFile(file, result.keyMap.data() + filled,
                      static_cast<DWORD>(result.keyMap.size()) - filled, &count, nullptr)) {
            return readFailure(GetLastError());
        }
        if (count == 0) {
            return {ProfileReadStatus::ReadShort};
        }
        filled += count;
    }
    return result;
}

constexpr int temporaryNameAttempts = 100;

std::atomic<unsigned> temporaryCounter{0};

// Creates an empty file of its own in folder, opened for writing and shared with no one;
// INVALID_HANDLE_VALUE with the last error set when the host refuses. It lies beside the target
// so that the target can be replaced by it within one volume.
HANDLE createTemporary(const std::filesystem::path& folder, std::filesystem::path& created) {
    for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
        created = folder / (".vantrel-" + std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(temporaryCounter++) + ".tmp");
        const HANDLE file = CreateFileW(created.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

// Writes the key map, flushes it to the disk and closes the file. Returns 0 or the first error.
DWORD fillTemporary(HANDLE file, std::span<const std::uint8_t> keyMap) {
    DWORD error = ERROR_SUCCESS;
    DWORD count = 0;
    if (!WriteFile(file, keyMap.data(), static_cast<DWORD>(keyMap.size()), &count, nullptr)) {
        error = GetLastError();
    } else if (count < keyMap.size()) {
        error = ERROR_DISK_FULL; // the host took fewer bytes than asked
    }
    if (error == ERROR_SUCCESS && !FlushFileBuffers(file)) {
        error = GetLastError();
    }
    if (!CloseHandle(file) && error == ERROR_SUCCESS) {
        error = GetLastError();
    }
    return error;
}

std::uint32_t resultOf(BOOL done) {
    return done ? ERROR_SUCCESS : GetLastError();
}

constexpr int busyAttempts = 10;
constexpr DWORD busyPauseMilliseconds = 100;

// Another program that has the file open for a moment refuses the call with one of these.
bool isBusy(std::uint32_t error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// Makes the call, and makes it again after a pause while it is refused as busy, at most
// busyAttempts times in all. Returns the last call's result.
template <typename Call>
std::uint32_t whileBusy(const WindowsFileCalls& calls, Call call) {
    std::uint32_t error = call();
    for (int attempt = 1; isBusy(error) && attempt < busyAttempts; ++attempt) {
        calls.pause();
        error = call();
    }
    return error;
}

struct Placement {
    std::uint32_t error;
    bool targetStands; // on failure: the user's file is still under its name, as it was
};

// Puts the fresh file in the target's place. An existing target hands its attributes and
// security to its replacement.
Placement replaceTarget(const WindowsFileCalls& calls, const std::filesystem::path& temporary,
                        const std::filesystem::path& target) {
    const auto moveIntoPlace = [&] {
        return whileBusy(calls, [&] { return calls.move(temporary, target); });
    };
    const std::uint32_t error = whileBusy(calls, [&] { return calls.replace(target, temporary); });
    switch (error) {
    case ERROR_FILE_NOT_FOUND: // no file there yet
        return {moveIntoPlace(), true};
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
        // The old file is gone, or renamed away under a name the host does not tell, and the
        // new one still has its temporary name: it must take the user's name, and where it can't,
        // it is all that is left of either.
        return {moveIntoPlace(), false};
    default:
        return {error, true};
    }
}

} // namespace

const WindowsFileCalls& hostFileCalls() {
    static const WindowsFileCalls calls{
        .replace =
            [](const std::filesystem::path& replaced, const std::filesystem::path& replacement) {
                return resultOf(ReplaceFileW(replaced.c_str(), replacement.c_str(), nullptr,
                                             REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr));
            },
        .move =
            [](const std::filesystem::path& from, const std::filesystem::path& to) {
                return resultOf(MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH));
            },
        .remove =
            [](const std::filesystem::path& file) { return resultOf(DeleteFileW(file.c_str())); },
        .pause = [] { Sleep(busyPauseMilliseconds); },
    };
    return calls;
}

ProfileReadResult readProfileFile(const std::filesystem::path& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return readFailure(GetLastError());
    }
    const ProfileReadResult result = readOpenFile(file);
    if (!CloseHandle(file) && result.status != ProfileReadStatus::FileError) {
        return readFailure(GetLastError());
    }
    return result;
}

std::optional<FileErrorCause> writeFileSafely(const std::filesystem::path& path,
                                              std::span<const std::uint8_t> keyMap) {
    return writeProfileFile(path, keyMap, hostFileCalls());
}

std::optional<FileErrorCause> writeProfileFile(const std::filesystem::path& path,
                                               std::span<const std::uint8_t> keyMap,
                                               const WindowsFileCalls& calls) {
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    std::filesystem::path temporary;
    const HANDLE file = createTemporary(folder, temporary);
    if (file == INVALID_HANDLE_VALUE) {
        return causeOf(GetLastError());
    }
    Placement placement{fillTemporary(file, keyMap), true};
    if (placement.error == ERROR_SUCCESS) {
        placement = replaceTarget(calls, temporary, path);
    }
    if (placement.error == ERROR_SUCCESS) {
        return std::nullopt;
    }
    if (placement.targetStands) {
        whileBusy(calls, [&] { return calls.remove(temporary); });
    }
    return causeOf(placement.error);
}

} // namespace vantrel
