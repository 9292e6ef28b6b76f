#pragma once

#include "device/SettingsImage.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace vantrel::devsim {

// The receiver's settings memory: every 16-bit address below MEMORY_SIZE answers.
constexpr std::size_t MEMORY_SIZE = 256;
static_assert(MEMORY_SIZE > IMAGE_LAST_ADDRESS);

using MemoryImage = std::array<std::uint8_t, MEMORY_SIZE>;

// What the device holds when it leaves the factory: the default PC key map, sensitivity 3,
// firing speed 20, the button map 0 to 13, and erased bytes (0xFF) everywhere else.
MemoryImage factoryImage();

} // namespace vantrel::devsim
