#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vantrel {

// A decoded picture or a page canvas: premultiplied 0xAARRGGBB pixels, row after row with no
// padding. Both programs decode into it and the pages compose with it, so the same pictures give
// the same pixels whichever toolkit shows them.
struct SkinImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    bool isNull() const { return width <= 0 || height <= 0; }
    std::uint32_t pixel(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }

    // A picture of straight (not premultiplied) 0xAARRGGBB pixels, as decoders give them,
    // premultiplied here by one rounding rule. A size that does not match the pixels gives a
    // null picture.
    static SkinImage fromStraightArgb(int width, int height,
                                      std::span<const std::uint32_t> straight);

    // A surface of opaque 0x00RRGGBB or 0xFFRRGGBB pixels, made fully opaque.
    static SkinImage fromOpaqueRgb(int width, int height, std::span<const std::uint32_t> rgb);
};

} // namespace vantrel
