#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// Why the host's file system refused a profile operation, in the terms the user is told.
enum class FileErrorCause {
    FileNotFound,
    BadPath,
    TooManyOpenFiles,
    AccessDenied,
    InvalidHandle,
    DirectoryFull,
    HardwareIo,
    SharingViolation,
    LockingViolation,
    DiskFull, // also a write that put fewer bytes than asked
    PastEnd,
    Unknown,
};

// The text of the box that ends a profile operation on a file failure, naming the full path.
std::string fileErrorText(FileErrorCause cause, std::string_view fullPath);

} // namespace vantrel
