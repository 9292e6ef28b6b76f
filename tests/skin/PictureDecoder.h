#pragma once

#include "skin/SkinImage.h"

#include <cstdint>
#include <span>

// The host's own picture decoders, one file per platform, so that the tests see the pixels the
// program shows.
namespace vantrel::test {

// PNG bytes as a picture with its alpha; bytes that do not decode give a null picture.
SkinImage decodePng(std::span<const std::uint8_t> bytes);

// The bytes of a .bmp file as an opaque surface; a null picture when they do not decode.
SkinImage decodeBitmap(std::span<const std::uint8_t> bytes);

} // namespace vantrel::test
