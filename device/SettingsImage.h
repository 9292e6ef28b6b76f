#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Where the four items the tool uses lie in the device's settings memory. They sit back to back
// from 52 to 131; nothing outside that range is ever requested.
namespace vantrel {

constexpr std::uint16_t KEY_MAP_ADDRESS = 52;
constexpr std::size_t KEY_MAP_SIZE = 64;
constexpr std::size_t KEY_MAP_BLOCK_SIZE = 16; // a write carries at most 16 bytes
constexpr std::size_t KEY_MAP_BLOCKS = KEY_MAP_SIZE / KEY_MAP_BLOCK_SIZE;

constexpr std::uint16_t SENSITIVITY_ADDRESS = 116;
constexpr std::uint16_t FIRING_SPEED_ADDRESS = 117;

constexpr std::uint16_t BUTTON_MAP_ADDRESS = 118;
constexpr std::size_t BUTTON_MAP_SIZE = 14;

constexpr std::uint16_t IMAGE_FIRST_ADDRESS = KEY_MAP_ADDRESS;
constexpr std::uint16_t IMAGE_LAST_ADDRESS = BUTTON_MAP_ADDRESS + BUTTON_MAP_SIZE - 1;

static_assert(KEY_MAP_ADDRESS + KEY_MAP_SIZE == SENSITIVITY_ADDRESS);
static_assert(SENSITIVITY_ADDRESS + 1 == FIRING_SPEED_ADDRESS);
static_assert(FIRING_SPEED_ADDRESS + 1 == BUTTON_MAP_ADDRESS);
static_assert(IMAGE_LAST_ADDRESS == 131);

using KeyMapBytes = std::array<std::uint8_t, KEY_MAP_SIZE>;
using ButtonMapBytes = std::array<std::uint8_t, BUTTON_MAP_SIZE>;

constexpr std::uint16_t keyMapBlockAddress(std::size_t block) {
    return static_cast<std::uint16_t>(KEY_MAP_ADDRESS + block * KEY_MAP_BLOCK_SIZE);
}

} // namespace vantrel
