#include "pcsetup/FileErrorCause.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrel {
namespace {

TEST(FileErrorText, NamesTheFullPathInTheTextOfEachCause) {
    const std::pair<FileErrorCause, std::string> cases[] = {
        {FileErrorCause::FileNotFound, "/p/k.map was not found."},
        {FileErrorCause::BadPath, "/p/k.map contains an incorrect path."},
        {FileErrorCause::TooManyOpenFiles,
         "Could not open /p/k.map because there are too many open files."},
        {FileErrorCause::AccessDenied, "Access to /p/k.map was denied."},
        {FileErrorCause::InvalidHandle, "An incorrect file handle was associated with /p/k.map."},
        {FileErrorCause::DirectoryFull, "Could not create /p/k.map because the directory is full."},
        {FileErrorCause::HardwareIo, "Encountered a hardware I/O error while accessing /p/k.map."},
        {FileErrorCause::SharingViolation,
         "Encountered a sharing violation while accessing /p/k.map."},
        {FileErrorCause::LockingViolation,
         "Encountered a locking violation while accessing /p/k.map."},
        {FileErrorCause::DiskFull, "Disk full while accessing /p/k.map."},
        {FileErrorCause::PastEnd, "Attempted to access /p/k.map past its end."},
        {FileErrorCause::Unknown, "An unknown error occurred while accessing /p/k.map."},
    };
    for (const auto& [cause, text] : cases) {
        EXPECT_EQ(fileErrorText(cause, "/p/k.map"), text);
    }
}

TEST(FileErrorText, TakesThePathLiterallyEvenWhenItLooksLikeAPlaceholder) {
    EXPECT_EQ(fileErrorText(FileErrorCause::DiskFull, "/p/%1 100%.map"),
              "Disk full while accessing /p/%1 100%.map.");
    EXPECT_EQ(fileErrorText(FileErrorCause::FileNotFound, ""), " was not found.");
}

} // namespace
} // namespace vantrel
