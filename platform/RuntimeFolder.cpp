#include "platform/RuntimeFolder.h"

#include <cstdlib>
#include <string>
#include <system_error>

#include <unistd.h>

namespace vantrel {

std::filesystem::path runtimeFolder() {
    std::filesystem::path folder;
    if (const char* chosen = std::getenv("VANTREL_RUNTIME_DIR"); chosen && *chosen) {
        folder = chosen;
    } else if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        folder = std::filesystem::path(runtime) / "vantrel";
    } else {
        folder = std::filesystem::temp_directory_path() /
                 ("vantrel-" + std::to_string(static_cast<unsigned long>(getuid())));
    }
    std::error_code error;
    if (std::filesystem::create_directories(folder, error)) {
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all, error);
    }
    return folder;
}

} // namespace vantrel
