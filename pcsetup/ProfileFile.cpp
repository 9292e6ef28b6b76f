#include "pcsetup/ProfileFile.h"

namespace vantrel {

namespace {

constexpr const char* profileExtension = ".map";
constexpr const char* profileExtensionUpper = ".MAP";

bool endsWith(const std::filesystem::path& path, const char* ending) {
    return path.native().ends_with(std::filesystem::path(ending).native());
}

} // namespace

std::filesystem::path profileSavePath(const std::filesystem::path& chosen) {
    if (endsWith(chosen, profileExtension) || endsWith(chosen, profileExtensionUpper)) {
        return chosen;
    }
    std::filesystem::path withExtension = chosen;
    withExtension += profileExtension;
    return withExtension;
}

} // namespace vantrel
