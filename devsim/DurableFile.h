#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace vantrel::devsim {

// Replaces a file with new content all at once: a temporary file beside it (named with a leading
// dot, mode 0600) is written, flushed to the disk and renamed over it, and the folder is flushed.
// The reason when that failed; the old file is then untouched.
std::optional<std::string> replaceFileDurably(const std::filesystem::path& file,
                                              std::span<const std::uint8_t> content);

} // namespace vantrel::devsim
