#pragma once

#include "skin/RasterCanvas.h"

#include <string>
#include <vector>

namespace vantrel::test {

// A text as a page asked for it.
struct DrawnText {
    PixelRect rect;
    ControlAlign align;
    std::string text;
    Colour colour;
};

// A raster canvas with no font: each text is recorded, and marked in the pixels by one row of its
// colour through the middle of its rectangle, so that what draws over it still shows and the
// layer order stays readable from the pixels.
class TestCanvas : public RasterCanvas {
public:
    using RasterCanvas::RasterCanvas;

    const std::vector<DrawnText>& texts() const { return texts_; }
    // The texts drawn in this rectangle, in their order.
    std::vector<DrawnText> textsIn(const PixelRect& rect) const;

    // The row that marks a text in this rectangle.
    static int markRow(const PixelRect& rect) { return rect.top + rect.height / 2; }

protected:
    void renderText(const PixelRect& rect, ControlAlign align, std::string_view text,
                    Colour colour) override;

private:
    std::vector<DrawnText> texts_;
};

} // namespace vantrel::test
