// The profile file's only contact with a Windows host's file system.
#include "pcsetup/ProfileFile.h"

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
DWORD fillTemporary(HANDLE file, const KeyMapBytes& keyMap) {
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

// Puts the fresh file in the target's place. An existing target hands its attributes and
// security to its replacement.
DWORD replaceTarget(const std::filesystem::path& temporary, const std::filesystem::path& target) {
    if (ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr)) {
        return ERROR_SUCCESS;
    }
    if (GetLastError() == ERROR_FILE_NOT_FOUND &&
        MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        return ERROR_SUCCESS;
    }
    return GetLastError();
}

} // namespace

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

std::optional<FileErrorCause> writeProfileFile(const std::filesystem::path& path,
                                               const KeyMapBytes& keyMap) {
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    std::filesystem::path temporary;
    const HANDLE file = createTemporary(folder, temporary);
    if (file == INVALID_HANDLE_VALUE) {
        return causeOf(GetLastError());
    }
    DWORD error = fillTemporary(file, keyMap);
    if (error == ERROR_SUCCESS) {
        error = replaceTarget(temporary, path);
    }
    if (error == ERROR_SUCCESS) {
        return std::nullopt;
    }
    DeleteFileW(temporary.c_str());
    return causeOf(error);
}

} // namespace vantrel
