#include "devsim/MemoryImage.h"

#include <algorithm>

namespace vantrel::devsim {

namespace {

constexpr std::uint8_t erased = 0xFF;

constexpr std::array<std::uint8_t, 32> factoryKeys{
    0x33, 0x32, 0xA0, 0x20, 0x41, 0x46, 0x54, 0x45, 0x41, 0x44, 0x57, 0x53, 0x52, 0x52, 0x34, 0x31,
    0x48, 0x4B, 0x4F, 0x43, 0x42, 0x41, 0x4E, 0x52, 0x52, 0x47, 0x5A, 0x43, 0x4C, 0x58, 0x51, 0x46,
};
static_assert(factoryKeys.size() * 2 == KEY_MAP_SIZE);

constexpr std::uint8_t factorySensitivity = 3;
constexpr std::uint8_t factoryFiringSpeed = 20;

} // namespace

MemoryImage factoryImage() {
    MemoryImage image;
    image.fill(erased);
    // The second half of the key map, the held keys, is empty.
    std::fill_n(image.begin() + KEY_MAP_ADDRESS, KEY_MAP_SIZE, 0);
    std::copy(factoryKeys.begin(), factoryKeys.end(), image.begin() + KEY_MAP_ADDRESS);
    image[SENSITIVITY_ADDRESS] = factorySensitivity;
    image[FIRING_SPEED_ADDRESS] = factoryFiringSpeed;
    for (std::size_t i = 0; i < BUTTON_MAP_SIZE; ++i) {
        image[BUTTON_MAP_ADDRESS + i] = static_cast<std::uint8_t>(i);
    }
    return image;
}

} // namespace vantrel::devsim
