#pragma once

#include "skin/RasterCanvas.h"

#include <QFont>
#include <QImage>

namespace vantrel {

// A page canvas whose text Qt draws, in the page font, over the pixels the pages composed.
class QtPageCanvas : public RasterCanvas {
public:
    QtPageCanvas(int width, int height, int scale = 1);

    // The canvas as an image over the same pixels, for the one copy to the screen, with the
    // canvas's scale as its device pixel ratio. Made afresh each time, so that a copy someone
    // keeps never parts it from the pixels.
    QImage image() const;

protected:
    void renderText(const PixelRect& rect, ControlAlign align, std::string_view text,
                    Colour colour) override;

private:
    QFont font_;
};

// The page font: Arial with a 16-pixel cell and the thinnest weight.
QFont pageFont();

} // namespace vantrel
