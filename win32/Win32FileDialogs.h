#pragma once

#include "platform/FileDialogs.h"

#include <windows.h>

namespace vantrel {

// The host's standard open and save dialogs for profile files, owned by the main window.
class Win32FileDialogs : public FileDialogs {
public:
    void setOwner(HWND owner) { owner_ = owner; }

    std::optional<std::filesystem::path> choosePathToOpen() override;
    std::optional<std::filesystem::path> choosePathToSave() override;

private:
    HWND owner_ = nullptr;
};

} // namespace vantrel
