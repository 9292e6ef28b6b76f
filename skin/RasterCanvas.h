#pragma once

#include "skin/PageCanvas.h"

#include <span>
#include <vector>

namespace vantrel {

// A page canvas held as pixels, on which the pictures, bitmaps and fills are drawn by this code
// itself, so that both programs put the same pixels there. Only the text is left to the host's
// font rasteriser.
//
// Everything is drawn in page pixels. On a dense screen the canvas holds `scale` pixels each way
// for every page pixel, so that pictures drawn at that scale keep all their detail and the text
// is rasterised at the screen's own density.
class RasterCanvas : public PageCanvas {
public:
    // A canvas for a page of width by height page pixels.
    RasterCanvas(int width, int height, int scale = 1);

    int scale() const { return scale_; }

    // Limits the drawing that follows to these rectangles of the page, which must not overlap;
    // none means the whole canvas.
    void setArea(std::span<const PixelRect> area);
    std::span<const PixelRect> area() const { return area_; }

    // scale times the page's size each way.
    const SkinImage& image() const { return image_; }
    std::uint32_t* bits() { return image_.pixels.data(); }

    void drawPicture(const SkinImage& picture, const PixelRect& rect) final;
    void copyBitmap(const SkinImage& surface, const PixelRect& rect) final;
    void fill(const PixelRect& rect, Colour colour) final;
    // Skips a text that lies outside the area; the host draws the rest.
    void drawText(const PixelRect& rect, ControlAlign align, std::string_view text,
                  Colour colour) final;

protected:
    // Draws the text on bits(), clipped to area(); both are in page pixels, scale() canvas pixels
    // each.
    virtual void renderText(const PixelRect& rect, ControlAlign align, std::string_view text,
                            Colour colour) = 0;

private:
    // Calls drawRow for each row of the canvas pixels that the rectangle of canvas pixels covers
    // within the area.
    template <typename DrawRow>
    void forEachRow(const PixelRect& rect, DrawRow drawRow);
    PixelRect onCanvas(const PixelRect& rect) const;

    int scale_;
    SkinImage image_;
    std::vector<PixelRect> area_;
};

} // namespace vantrel
