#include "pcsetup/FileErrorCause.h"

namespace vantrel {

namespace {

constexpr std::string_view pathPlaceholder = "%1";

constexpr std::string_view fileNotFoundText = "%1 was not found.";
constexpr std::string_view badPathText = "%1 contains an incorrect path.";
constexpr std::string_view tooManyOpenFilesText =
    "Could not open %1 because there are too many open files.";
constexpr std::string_view accessDeniedText = "Access to %1 was denied.";
constexpr std::string_view invalidHandleText = "An incorrect file handle was associated with %1.";
constexpr std::string_view directoryFullText = "Could not create %1 because the directory is full.";
constexpr std::string_view hardwareIoText = "Encountered a hardware I/O error while accessing %1.";
constexpr std::string_view sharingViolationText =
    "Encountered a sharing violation while accessing %1.";
constexpr std::string_view lockingViolationText =
    "Encountered a locking violation while accessing %1.";
constexpr std::string_view diskFullText = "Disk full while accessing %1.";
constexpr std::string_view pastEndText = "Attempted to access %1 past its end.";
constexpr std::string_view unknownText = "An unknown error occurred while accessing %1.";

constexpr std::string_view templateFor(FileErrorCause cause) {
    switch (cause) {
    case FileErrorCause::FileNotFound:
        return fileNotFoundText;
    case FileErrorCause::BadPath:
        return badPathText;
    case FileErrorCause::TooManyOpenFiles:
        return tooManyOpenFilesText;
    case FileErrorCause::AccessDenied:
        return accessDeniedText;
    case FileErrorCause::InvalidHandle:
        return invalidHandleText;
    case FileErrorCause::DirectoryFull:
        return directoryFullText;
    case FileErrorCause::HardwareIo:
        return hardwareIoText;
    case FileErrorCause::SharingViolation:
        return sharingViolationText;
    case FileErrorCause::LockingViolation:
        return lockingViolationText;
    case FileErrorCause::DiskFull:
        return diskFullText;
    case FileErrorCause::PastEnd:
        return pastEndText;
    case FileErrorCause::Unknown:
        break;
    }
    return unknownText;
}

} // namespace

std::string fileErrorText(FileErrorCause cause, std::string_view fullPath) {
    std::string text(templateFor(cause));
    text.replace(text.find(pathPlaceholder), pathPlaceholder.size(), fullPath);
    return text;
}

} // namespace vantrel
