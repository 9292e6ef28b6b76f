#pragma once

#include "skin/RasterCanvas.h"

#include <memory>

namespace Gdiplus {
class Font;
} // namespace Gdiplus

namespace vantrel {

// A page canvas whose texts GDI+ draws in the page font: Arial, 14 pixels, the thinnest weight.
// Needs a GdiPlusSession for its whole life.
class GdiPlusPageCanvas : public RasterCanvas {
public:
    GdiPlusPageCanvas(int width, int height);
    ~GdiPlusPageCanvas() override;

protected:
    void renderText(const PixelRect& rect, ControlAlign align, std::string_view text,
                    Colour colour) override;

private:
    std::unique_ptr<Gdiplus::Font> font_;
};

} // namespace vantrel
