#pragma once

#include "tests/support/TempFolder.h"

#include <filesystem>

namespace vantrel::test {

// A fresh folder for the test's runtime marks, pointed at by VANTREL_RUNTIME_DIR while it
// lives, and removed with everything in it afterwards.
class TempRuntimeFolder {
public:
    TempRuntimeFolder();
    ~TempRuntimeFolder();
    TempRuntimeFolder(const TempRuntimeFolder&) = delete;
    TempRuntimeFolder& operator=(const TempRuntimeFolder&) = delete;

    const std::filesystem::path& path() const { return folder_.path(); }

private:
    TempFolder folder_;
};

} // namespace vantrel::test
