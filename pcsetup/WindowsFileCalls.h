#pragma once

#include "pcsetup/ProfileFile.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

namespace vantrel {

// The Windows calls by which a saved profile takes the user's file's place, each giving 0 or the
// host's error code. Other programs (scanners, the indexer, sync) open freshly written files, so
// these calls may be refused for a moment; a test stands in for the host here to script that and
// the host's partial failures. Windows hosts only.
struct WindowsFileCalls {
    // ReplaceFileW without a backup file.
    std::function<std::uint32_t(const std::filesystem::path& replaced,
                                const std::filesystem::path& replacement)>
        replace;
    // MoveFileExW onto a name no file holds.
    std::function<std::uint32_t(const std::filesystem::path& from, const std::filesystem::path& to)>
        move;
    // DeleteFileW.
    std::function<std::uint32_t(const std::filesystem::path& file)> remove;
    // The wait before a refused call is tried again.
    std::function<void()> pause;
};

// The host's own calls, which writeProfileFile(path, keyMap) uses.
const WindowsFileCalls& hostFileCalls();

// writeProfileFile with these calls in the host's place.
std::optional<FileErrorCause> writeProfileFile(const std::filesystem::path& path,
                                               std::span<const std::uint8_t> keyMap,
                                               const WindowsFileCalls& calls);

} // namespace vantrel
