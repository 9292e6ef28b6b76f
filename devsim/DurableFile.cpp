#include "devsim/DurableFile.h"

#include "device/sim/UniqueFd.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vantrel::devsim {

namespace {

std::string failure(const char* step, const std::filesystem::path& file) {
    return std::string(step) + " '" + file.string() + "': " + std::strerror(errno);
}

bool writeAll(int fd, std::span<const std::uint8_t> content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        content = content.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

std::optional<std::string> replaceFileDurably(const std::filesystem::path& file,
                                              std::span<const std::uint8_t> content) {
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    const std::filesystem::path temporary = folder / ("." + file.filename().string() + ".tmp");
    {
        UniqueFd out(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
        if (!out.valid()) {
            return failure("cannot create", temporary);
        }
        if (!writeAll(out.get(), content) || ::fsync(out.get()) != 0) {
            auto problem = failure("cannot write", temporary);
            ::unlink(temporary.c_str());
            return problem;
        }
    }
    if (::rename(temporary.c_str(), file.c_str()) != 0) {
        auto problem = failure("cannot rename over", file);
        ::unlink(temporary.c_str());
        return problem;
    }
    // The rename itself lives in the folder, which must reach the disk too.
    UniqueFd directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.valid()) {
        ::fsync(directory.get());
    }
    return std::nullopt;
}

} // namespace vantrel::devsim
