#pragma once

#include "device/SettingsImage.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantrel::ctl {

// The settings memory the tool uses, addresses 52 to 131, in address order.
constexpr std::size_t IMAGE_SIZE = IMAGE_LAST_ADDRESS - IMAGE_FIRST_ADDRESS + 1;
using SettingsImageBytes = std::array<std::uint8_t, IMAGE_SIZE>;

// A backup file: the magic "VNTRLBAK", the format version (16 bits), the image's first address
// and its length (16 bits each), the image, and the CRC-32 of everything before it; numbers are
// little-endian.
constexpr std::array<std::uint8_t, 8> BACKUP_MAGIC = {'V', 'N', 'T', 'R', 'L', 'B', 'A', 'K'};
constexpr std::uint16_t BACKUP_VERSION = 1;
constexpr std::size_t BACKUP_FILE_SIZE = BACKUP_MAGIC.size() + 3 * 2 + IMAGE_SIZE + 4;

std::vector<std::uint8_t> encodeBackup(const SettingsImageBytes& image);

struct DecodedBackup {
    std::optional<SettingsImageBytes> image;
    std::string problem; // why the bytes are refused, when they are
};

// Checks everything before it believes anything: the size, the magic, the version, the range
// and the check sum.
DecodedBackup decodeBackup(std::span<const std::uint8_t> file);

// The CRC-32 of zip and PNG (reflected, polynomial 0xEDB88320).
std::uint32_t crc32(std::span<const std::uint8_t> bytes);

} // namespace vantrel::ctl
