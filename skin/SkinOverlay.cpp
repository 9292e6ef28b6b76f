#include "skin/SkinOverlay.h"

#include <algorithm>

namespace vantrel {

namespace {

constexpr int STANDARD_WIDTH = 800;
constexpr int STANDARD_HEIGHT = 600;

} // namespace

SkinOverlay SkinOverlay::fromFullPage(const SkinImage& picture) {
    if (picture.isNull()) {
        return {};
    }
    int left = picture.width;
    int top = picture.height;
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < picture.height; ++y) {
        // Premultiplied, a pixel with no alpha is all zero, whatever its colour was.
        for (int x = 0; x < picture.width; ++x) {
            if (picture.pixel(x, y) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = y;
            }
        }
    }
    if (right < 0) {
        return {};
    }
    const int scale = std::max(picture.width / STANDARD_WIDTH, 1);
    left -= left % scale;
    top -= top % scale;
    right = std::min(picture.width, (right / scale + 1) * scale) - 1;
    bottom = std::min(picture.height, (bottom / scale + 1) * scale) - 1;
    SkinOverlay overlay{{right - left + 1, bottom - top + 1, {}}, left / scale, top / scale, scale};
    overlay.pixels.pixels.reserve(static_cast<std::size_t>(overlay.pixels.width) *
                                  static_cast<std::size_t>(overlay.pixels.height));
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            overlay.pixels.pixels.push_back(picture.pixel(x, y));
        }
    }
    return overlay;
}

void drawOverlay(PageCanvas& canvas, const SkinOverlay& overlay, const PixelRect& pageRect) {
    if (overlay.pixels.isNull()) {
        return;
    }
    const int width = overlay.pixels.width / overlay.scale;
    const int height = overlay.pixels.height / overlay.scale;
    if (pageRect.width == STANDARD_WIDTH && pageRect.height == STANDARD_HEIGHT) {
        canvas.drawPicture(overlay.pixels, {pageRect.left + overlay.left,
                                            pageRect.top + overlay.top, width, height});
        return;
    }
    const auto scaled = [](int value, int size, int standard) { return value * size / standard; };
    const int left = scaled(overlay.left, pageRect.width, STANDARD_WIDTH);
    const int top = scaled(overlay.top, pageRect.height, STANDARD_HEIGHT);
    const int right = scaled(overlay.left + width, pageRect.width, STANDARD_WIDTH);
    const int bottom = scaled(overlay.top + height, pageRect.height, STANDARD_HEIGHT);
    canvas.drawPicture(overlay.pixels,
                       {pageRect.left + left, pageRect.top + top, right - left, bottom - top});
}

} // namespace vantrel
