#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The runtime folder where serving simulated receivers publish their devices and sockets:
// `$VANTREL_DEVSIM_DIR` when set, else `$XDG_RUNTIME_DIR/vantrel-devsim`, else
// `/tmp/vantrel-devsim-<uid>`.
namespace vantrel {

constexpr const char* SIM_FOLDER_VARIABLE = "VANTREL_DEVSIM_DIR";

std::filesystem::path simBusFolder();

// The folder must be a real directory of this user that no one else may enter; the reason it is
// not, or nothing when it is.
std::optional<std::string> checkPrivateFolder(const std::filesystem::path& folder);

// Creates the folder (mode 0700) when it is missing, then checks it as above.
std::optional<std::string> preparePrivateFolder(const std::filesystem::path& folder);

} // namespace vantrel
