#include "skin/SkinImage.h"

namespace vantrel {

namespace {

std::uint32_t premultiply(std::uint32_t argb) {
    const std::uint32_t alpha = argb >> 24;
    if (alpha == 255) {
        return argb;
    }
    if (alpha == 0) {
        return 0;
    }
    const auto channel = [alpha](std::uint32_t value) { return (value * alpha + 127) / 255; };
    return alpha << 24 | channel((argb >> 16) & 0xFF) << 16 | channel((argb >> 8) & 0xFF) << 8 |
           channel(argb & 0xFF);
}

bool sizeMatches(int width, int height, std::size_t count) {
    return width > 0 && height > 0 &&
           static_cast<std::size_t>(width) * static_cast<std::size_t>(height) == count;
}

} // namespace

SkinImage SkinImage::fromStraightArgb(int width, int height,
                                      std::span<const std::uint32_t> straight) {
    if (!sizeMatches(width, height, straight.size())) {
        return {};
    }
    SkinImage image{width, height, {}};
    image.pixels.reserve(straight.size());
    for (const std::uint32_t pixel : straight) {
        image.pixels.push_back(premultiply(pixel));
    }
    return image;
}

SkinImage SkinImage::fromOpaqueRgb(int width, int height, std::span<const std::uint32_t> rgb) {
    if (!sizeMatches(width, height, rgb.size())) {
        return {};
    }
    SkinImage image{width, height, {}};
    image.pixels.reserve(rgb.size());
    for (const std::uint32_t pixel : rgb) {
        image.pixels.push_back(0xFF000000u | (pixel & 0x00FFFFFFu));
    }
    return image;
}

} // namespace vantrel
