#include "device/sim/SimBusFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace vantrel {

namespace {

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

std::string quoted(const std::filesystem::path& folder) {
    return "'" + folder.string() + "'";
}

} // namespace

std::filesystem::path simBusFolder() {
    if (const auto chosen = environment(SIM_FOLDER_VARIABLE)) {
        return *chosen;
    }
    if (const auto runtime = environment("XDG_RUNTIME_DIR")) {
        return std::filesystem::path(*runtime) / "vantrel-devsim";
    }
    return std::filesystem::path("/tmp") / ("vantrel-devsim-" + std::to_string(::getuid()));
}

std::optional<std::string> checkPrivateFolder(const std::filesystem::path& folder) {
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0) {
        return "cannot look at " + quoted(folder) + ": " + std::strerror(errno);
    }
    if (!S_ISDIR(info.st_mode)) {
        return quoted(folder) + " is not a directory";
    }
    if (info.st_uid != ::getuid()) {
        return quoted(folder) + " belongs to another user";
    }
    if ((info.st_mode & 077) != 0) {
        return quoted(folder) + " is open to other users; make it private with chmod 700";
    }
    return std::nullopt;
}

std::optional<std::string> preparePrivateFolder(const std::filesystem::path& folder) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return "cannot create " + quoted(folder) + ": " + std::strerror(errno);
    }
    return checkPrivateFolder(folder);
}

} // namespace vantrel
