// The runtime folder on Windows, where the temporary folder already belongs to the user alone.
#include "platform/RuntimeFolder.h"

#include <cstdlib>
#include <system_error>

namespace vantrel {

std::filesystem::path runtimeFolder() {
    std::filesystem::path folder;
    if (const char* chosen = std::getenv("VANTREL_RUNTIME_DIR"); chosen && *chosen) {
        folder = chosen;
    } else {
        folder = std::filesystem::temp_directory_path() / "vantrel";
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder;
}

} // namespace vantrel
