#pragma once

#include "resources/templates/DialogTemplate.h"
#include "skin/PageCanvas.h"

#include <string>

namespace vantrel {

// A text control of a page: it draws itself over the picture in the page font with nothing
// behind its text, centred on one line or left-aligned and wrapped.
struct SkinText {
    PixelRect rect;
    ControlAlign align = ControlAlign::Left;
    std::string text;
    Colour colour = textColour;

    void draw(PageCanvas& canvas) const { canvas.drawText(rect, align, text, colour); }
};

} // namespace vantrel
