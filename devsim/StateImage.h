#pragma once

#include "devsim/MemoryImage.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

// The state file's content: a small header, the memory image and a checksum over both.
namespace vantrel::devsim {

constexpr std::size_t STATE_MAGIC_OFFSET = 0;
constexpr std::size_t STATE_MAGIC_SIZE = 8;
constexpr std::size_t STATE_VERSION_OFFSET = 8;
constexpr std::size_t STATE_MEMORY_SIZE_OFFSET = 10;
constexpr std::size_t STATE_MEMORY_OFFSET = 12;
constexpr std::size_t STATE_CHECKSUM_OFFSET = STATE_MEMORY_OFFSET + MEMORY_SIZE;
constexpr std::size_t STATE_FILE_SIZE = STATE_CHECKSUM_OFFSET + 4;
static_assert(STATE_FILE_SIZE == 272);

constexpr std::uint16_t STATE_VERSION = 1;

std::vector<std::uint8_t> encodeStateImage(const MemoryImage& memory);

// The memory, or the reason the bytes are not a state image of ours.
std::variant<MemoryImage, std::string> decodeStateImage(std::span<const std::uint8_t> bytes);

} // namespace vantrel::devsim
