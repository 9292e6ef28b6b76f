#include "devsim/StateImage.h"

#include "device/DeviceProtocol.h"

#include <algorithm>
#include <string_view>

namespace vantrel::devsim {

namespace {

constexpr std::string_view magic = "VNTRLMEM";
static_assert(magic.size() == STATE_MAGIC_SIZE);

// FNV-1a: enough to tell a torn or edited file from one this program wrote.
std::uint32_t checksumOf(std::span<const std::uint8_t> bytes) {
    std::uint32_t hash = 2166136261u;
    for (const std::uint8_t byte : bytes) {
        hash = (hash ^ byte) * 16777619u;
    }
    return hash;
}

std::uint32_t readLe32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(readLe16(bytes)) |
           (static_cast<std::uint32_t>(readLe16(bytes + 2)) << 16);
}

} // namespace

std::vector<std::uint8_t> encodeStateImage(const MemoryImage& memory) {
    std::vector<std::uint8_t> bytes(STATE_FILE_SIZE, 0);
    std::copy(magic.begin(), magic.end(), bytes.begin() + STATE_MAGIC_OFFSET);
    writeLe16(&bytes[STATE_VERSION_OFFSET], STATE_VERSION);
    writeLe16(&bytes[STATE_MEMORY_SIZE_OFFSET], static_cast<std::uint16_t>(MEMORY_SIZE));
    std::copy(memory.begin(), memory.end(), bytes.begin() + STATE_MEMORY_OFFSET);
    const std::uint32_t checksum = checksumOf(std::span(bytes).first(STATE_CHECKSUM_OFFSET));
    writeLe16(&bytes[STATE_CHECKSUM_OFFSET], static_cast<std::uint16_t>(checksum & 0xFFFF));
    writeLe16(&bytes[STATE_CHECKSUM_OFFSET + 2], static_cast<std::uint16_t>(checksum >> 16));
    return bytes;
}

std::variant<MemoryImage, std::string> decodeStateImage(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != STATE_FILE_SIZE) {
        return "it has " + std::to_string(bytes.size()) + " bytes instead of " +
               std::to_string(STATE_FILE_SIZE);
    }
    if (!std::equal(magic.begin(), magic.end(), bytes.begin() + STATE_MAGIC_OFFSET)) {
        return std::string("it does not start with ") + std::string(magic);
    }
    if (readLe16(&bytes[STATE_VERSION_OFFSET]) != STATE_VERSION) {
        return "its version is not " + std::to_string(STATE_VERSION);
    }
    if (readLe16(&bytes[STATE_MEMORY_SIZE_OFFSET]) != MEMORY_SIZE) {
        return "its memory size is not " + std::to_string(MEMORY_SIZE);
    }
    if (readLe32(&bytes[STATE_CHECKSUM_OFFSET]) != checksumOf(bytes.first(STATE_CHECKSUM_OFFSET))) {
        return "its checksum does not match";
    }
    MemoryImage memory{};
    std::copy_n(bytes.begin() + STATE_MEMORY_OFFSET, MEMORY_SIZE, memory.begin());
    return memory;
}

} // namespace vantrel::devsim
