#include "skin/RasterCanvas.h"

#include <algorithm>
#include <cstring>

namespace vantrel {

namespace {

PixelRect intersection(const PixelRect& a, const PixelRect& b) {
    const int left = std::max(a.left, b.left);
    const int top = std::max(a.top, b.top);
    const int right = std::min(a.right(), b.right());
    const int bottom = std::min(a.bottom(), b.bottom());
    if (right <= left || bottom <= top) {
        return {};
    }
    return {left, top, right - left, bottom - top};
}

// Source over destination, both premultiplied.
std::uint32_t blend(std::uint32_t source, std::uint32_t destination) {
    const std::uint32_t alpha = source >> 24;
    if (alpha == 255) {
        return source;
    }
    if (alpha == 0) {
        return destination;
    }
    const std::uint32_t remaining = 255 - alpha;
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t below = (destination >> shift) & 0xFF;
        const std::uint32_t above = (source >> shift) & 0xFF;
        result |= (above + (below * remaining + 127) / 255) << shift;
    }
    return result;
}

std::uint32_t opaque(Colour colour) {
    return 0xFF000000u | std::uint32_t{colour.red} << 16 | std::uint32_t{colour.green} << 8 |
           std::uint32_t{colour.blue};
}

} // namespace

RasterCanvas::RasterCanvas(int width, int height, int scale)
    : scale_(std::max(scale, 1)),
      image_{width * scale_, height * scale_,
             std::vector<std::uint32_t>(static_cast<std::size_t>(std::max(width * scale_, 0)) *
                                            static_cast<std::size_t>(std::max(height * scale_, 0)),
                                        0xFF000000u)} {
}

PixelRect RasterCanvas::onCanvas(const PixelRect& rect) const {
    return {rect.left * scale_, rect.top * scale_, rect.width * scale_, rect.height * scale_};
}

void RasterCanvas::setArea(std::span<const PixelRect> area) {
    area_.assign(area.begin(), area.end());
}

template <typename DrawRow>
void RasterCanvas::forEachRow(const PixelRect& rect, DrawRow drawRow) {
    const PixelRect whole{0, 0, image_.width, image_.height};
    const auto drawIn = [&](const PixelRect& clip) {
        const PixelRect part = intersection(intersection(rect, onCanvas(clip)), whole);
        for (int y = part.top; y < part.bottom(); ++y) {
            std::uint32_t* row = image_.pixels.data() + static_cast<std::size_t>(y) * image_.width;
            drawRow(row, y, part.left, part.right());
        }
    };
    if (area_.empty()) {
        drawIn({0, 0, image_.width / scale_, image_.height / scale_});
        return;
    }
    for (const PixelRect& clip : area_) {
        drawIn(clip);
    }
}

void RasterCanvas::drawPicture(const SkinImage& picture, const PixelRect& pageRect) {
    if (picture.isNull() || pageRect.empty()) {
        return;
    }
    const PixelRect rect = onCanvas(pageRect);
    const bool ownSize = picture.width == rect.width && picture.height == rect.height;
    forEachRow(rect, [&](std::uint32_t* row, int y, int left, int right) {
        // Scaled, each pixel takes the picture's pixel under its centre.
        const int sourceY = ownSize ? y - rect.top
                                    : static_cast<int>((2LL * (y - rect.top) + 1) * picture.height /
                                                       (2LL * rect.height));
        const std::uint32_t* source =
            picture.pixels.data() + static_cast<std::size_t>(sourceY) * picture.width;
        for (int x = left; x < right; ++x) {
            const int sourceX = ownSize ? x - rect.left
                                        : static_cast<int>((2LL * (x - rect.left) + 1) *
                                                           picture.width / (2LL * rect.width));
            row[x] = blend(source[sourceX], row[x]);
        }
    });
}

void RasterCanvas::copyBitmap(const SkinImage& surface, const PixelRect& pageRect) {
    if (surface.isNull()) {
        return;
    }
    const PixelRect rect = onCanvas(pageRect);
    const PixelRect covered = onCanvas(intersection(
        pageRect, {pageRect.left, pageRect.top, std::min(pageRect.width, surface.width),
                   std::min(pageRect.height, surface.height)}));
    forEachRow(covered, [&](std::uint32_t* row, int y, int left, int right) {
        const std::uint32_t* source =
            surface.pixels.data() +
            static_cast<std::size_t>((y - rect.top) / scale_) * surface.width;
        if (scale_ == 1) {
            std::memcpy(row + left, source + (left - rect.left),
                        static_cast<std::size_t>(right - left) * sizeof *row);
            return;
        }
        // The surface is in page pixels: each of its pixels covers scale by scale here.
        for (int x = left; x < right; ++x) {
            row[x] = source[(x - rect.left) / scale_];
        }
    });
}

void RasterCanvas::fill(const PixelRect& rect, Colour colour) {
    const std::uint32_t pixel = opaque(colour);
    forEachRow(onCanvas(rect), [&](std::uint32_t* row, int, int left, int right) {
        std::fill(row + left, row + right, pixel);
    });
}

void RasterCanvas::drawText(const PixelRect& rect, ControlAlign align, std::string_view text,
                            Colour colour) {
    if (text.empty() || rect.empty()) {
        return;
    }
    const bool touched =
        area_.empty() || std::any_of(area_.begin(), area_.end(), [&](const PixelRect& clip) {
            return !intersection(clip, rect).empty();
        });
    if (touched) {
        renderText(rect, align, text, colour);
    }
}

} // namespace vantrel
