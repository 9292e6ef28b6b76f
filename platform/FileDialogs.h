#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace vantrel {

// The one filter both profile dialogs offer, written as description|pattern||: the description
// "Vantrel configuration files(*.map)" with the pattern "*.map".
inline constexpr std::string_view profileFileFilter = "Vantrel configuration files(*.map)|*.map||";

// The host's standard dialogs for choosing a profile file.
//
// Both are called on the user-interface thread only and block until the user has left the
// dialog. Each returns the path exactly as chosen, or nullopt when the dialog was left in any way
// other than its OK button.
//
// The host shows the one filter profileFileFilter, sets no default extension and no initial file
// name (a name typed without extension comes back without one) and hides the read-only check
// box; the save dialog asks before an existing file is overwritten.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual std::optional<std::filesystem::path> choosePathToOpen() = 0;
    virtual std::optional<std::filesystem::path> choosePathToSave() = 0;
};

} // namespace vantrel
