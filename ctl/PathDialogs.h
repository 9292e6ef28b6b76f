#pragma once

#include "platform/FileDialogs.h"

namespace vantrel::ctl {

// The profile file named on the command line, in place of the window program's dialogs.
class PathDialogs : public FileDialogs {
public:
    explicit PathDialogs(std::filesystem::path path) : path_(std::move(path)) {}

    std::optional<std::filesystem::path> choosePathToOpen() override { return path_; }
    std::optional<std::filesystem::path> choosePathToSave() override { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace vantrel::ctl
