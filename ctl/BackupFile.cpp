#include "ctl/BackupFile.h"

#include <algorithm>

namespace vantrel::ctl {

namespace {

void putNumber(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

std::uint32_t numberAt(std::span<const std::uint8_t> bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

} // namespace

std::uint32_t crc32(std::span<const std::uint8_t> bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

std::vector<std::uint8_t> encodeBackup(const SettingsImageBytes& image) {
    std::vector<std::uint8_t> file(BACKUP_MAGIC.begin(), BACKUP_MAGIC.end());
    putNumber(file, BACKUP_VERSION, 2);
    putNumber(file, IMAGE_FIRST_ADDRESS, 2);
    putNumber(file, IMAGE_SIZE, 2);
    file.insert(file.end(), image.begin(), image.end());
    putNumber(file, crc32(file), 4);
    return file;
}

DecodedBackup decodeBackup(std::span<const std::uint8_t> file) {
    const std::size_t header = BACKUP_MAGIC.size() + 3 * 2;
    if (file.size() < BACKUP_MAGIC.size() ||
        !std::equal(BACKUP_MAGIC.begin(), BACKUP_MAGIC.end(), file.begin())) {
        return {std::nullopt, "not a Vantrel settings backup"};
    }
    if (file.size() < header) {
        return {std::nullopt, "the backup is cut short (" + std::to_string(file.size()) + " of " +
                                  std::to_string(BACKUP_FILE_SIZE) + " bytes)"};
    }
    if (const std::uint32_t version = numberAt(file, BACKUP_MAGIC.size(), 2);
        version != BACKUP_VERSION) {
        return {std::nullopt, "the backup is of format version " + std::to_string(version) +
                                  ", which this vantrelctl does not know"};
    }
    if (numberAt(file, BACKUP_MAGIC.size() + 2, 2) != IMAGE_FIRST_ADDRESS ||
        numberAt(file, BACKUP_MAGIC.size() + 4, 2) != IMAGE_SIZE) {
        return {std::nullopt, "the backup holds another part of the settings memory"};
    }
    if (file.size() != BACKUP_FILE_SIZE) {
        return {std::nullopt, file.size() < BACKUP_FILE_SIZE
                                  ? "the backup is cut short (" + std::to_string(file.size()) +
                                        " of " + std::to_string(BACKUP_FILE_SIZE) + " bytes)"
                                  : "the backup is longer than a backup can be"};
    }
    const std::span<const std::uint8_t> covered = file.first(BACKUP_FILE_SIZE - 4);
    if (crc32(covered) != numberAt(file, BACKUP_FILE_SIZE - 4, 4)) {
        return {std::nullopt, "the backup is corrupt (its check sum does not match)"};
    }
    SettingsImageBytes image{};
    std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(header), IMAGE_SIZE, image.begin());
    return {image, {}};
}

} // namespace vantrel::ctl
