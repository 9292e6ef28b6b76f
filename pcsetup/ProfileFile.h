#pragma once

#include "device/SettingsImage.h"
#include "pcsetup/FileErrorCause.h"

#include <filesystem>
#include <optional>
#include <span>

namespace vantrel {

// A profile file is the PC key map verbatim: no header, no checksum. Its length is the only
// check made on reading; any 64 byte values are accepted.
inline constexpr std::size_t PROFILE_FILE_SIZE = KEY_MAP_SIZE;

enum class ProfileReadStatus {
    Read,
    Corrupted, // the file is not exactly 64 bytes long
    ReadShort, // the file claimed 64 bytes but fewer arrived
    FileError, // the host refused; see cause
};

struct ProfileReadResult {
    ProfileReadStatus status;
    KeyMapBytes keyMap{};                           // when Read
    FileErrorCause cause = FileErrorCause::Unknown; // when FileError
};

// Reads the profile at exactly the path given; nothing is added to it. Blocks.
ProfileReadResult readProfileFile(const std::filesystem::path& path);

// Writes the bytes as the whole file at path (a profile: the key map), returning the cause when
// the host refused.
// A file the host would not let the user write is refused and left as it is. A symbolic link is
// saved through: the file it points to gets the bytes, and the link stays. The bytes go to a
// fresh file beside the target first, which then takes the old file's place in one step, so a
// failure at any point leaves the old file as it was and nothing else behind; should the host
// lose the old file on the way, the new one takes its name, and only where even that is refused
// does it stay beside it under its temporary name, as the one copy left. A new file gets
// the host's usual permissions; an existing one keeps its owner, its permissions and its other
// names: where a fresh file can't stand in for it, it is written in place, never emptied first.
// Blocks.
std::optional<FileErrorCause> writeFileSafely(const std::filesystem::path& path,
                                              std::span<const std::uint8_t> bytes);
inline std::optional<FileErrorCause> writeProfileFile(const std::filesystem::path& path,
                                                      const KeyMapBytes& keyMap) {
    return writeFileSafely(path, keyMap);
}

// The path Save As Profile writes to: the chosen one, with ".map" appended unless it already ends
// in ".map" or ".MAP" (exactly those; "keys.Map" becomes "keys.Map.map").
std::filesystem::path profileSavePath(const std::filesystem::path& chosen);

} // namespace vantrel
