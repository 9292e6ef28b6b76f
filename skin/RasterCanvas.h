#pragma once

#include "skin/PageCanvas.h"

#include <span>
#include <vector>

namespace vantrel {

// A page canvas held as pixels, on which the pictures, bitmaps and fills are drawn by this code
// itself, so that both programs put the same pixels there. Only the text is left to the host's
// font rasteriser.
class RasterCanvas : public PageCanvas {
public:
    RasterCanvas(int width, int height);

    // Limits the drawing that follows to these rectangles, which must not overlap; none means
    // the whole canvas.
    void setArea(std::span<const PixelRect> area);
    std::span<const PixelRect> area() const { return area_; }

    const SkinImage& image() const { return image_; }
    std::uint32_t* bits() { return image_.pixels.data(); }

    void drawPicture(const SkinImage& picture, const PixelRect& rect) final;
    void copyBitmap(const SkinImage& surface, const PixelRect& rect) final;
    void fill(const PixelRect& rect, Colour colour) final;
    // Skips a text that lies outside the area; the host draws the rest.
    void drawText(const PixelRect& rect, ControlAlign align, std::string_view text,
                  Colour colour) final;

protected:
    // Draws the text on bits(), clipped to area().
    virtual void renderText(const PixelRect& rect, ControlAlign align, std::string_view text,
                            Colour colour) = 0;

private:
    template <typename DrawRow>
    void forEachRow(const PixelRect& rect, DrawRow drawRow);

    SkinImage image_;
    std::vector<PixelRect> area_;
};

} // namespace vantrel
