#pragma once

#include "resources/templates/DialogTemplate.h"
#include "skin/SkinImage.h"

#include <cstdint>
#include <string_view>

namespace vantrel {

struct Colour {
    std::uint8_t red = 0, green = 0, blue = 0;
    friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour gaugeGoodColour{0, 150, 0};
inline constexpr Colour gaugePoorColour{255, 0, 0};
inline constexpr Colour gaugeMarkerColour{255, 255, 255};
inline constexpr Colour textColour{255, 255, 255};
inline constexpr Colour captureTextColour{255, 0, 0};

// What a page composes itself onto, layer after layer, background first. Every operation draws
// only inside the area being drawn again.
class PageCanvas {
public:
    virtual ~PageCanvas() = default;

    // Draws the picture scaled to fill the rectangle, blended by its alpha. A null picture draws
    // nothing.
    virtual void drawPicture(const SkinImage& picture, const PixelRect& rect) = 0;

    // A plain copy of the surface's top-left part, the surface in page pixels: no blending.
    virtual void copyBitmap(const SkinImage& surface, const PixelRect& rect) = 0;

    virtual void fill(const PixelRect& rect, Colour colour) = 0;

    // Draws the text in the page font with nothing behind it: centred on one line, or from the
    // top left, wrapped at word boundaries. UTF-8.
    virtual void drawText(const PixelRect& rect, ControlAlign align, std::string_view text,
                          Colour colour) = 0;
};

} // namespace vantrel
