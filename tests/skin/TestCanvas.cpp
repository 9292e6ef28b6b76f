#include "tests/skin/TestCanvas.h"

#include <algorithm>

namespace vantrel::test {

std::vector<DrawnText> TestCanvas::textsIn(const PixelRect& rect) const {
    std::vector<DrawnText> found;
    std::copy_if(texts_.begin(), texts_.end(), std::back_inserter(found),
                 [&](const DrawnText& drawn) { return drawn.rect == rect; });
    return found;
}

void TestCanvas::renderText(const PixelRect& rect, ControlAlign align, std::string_view text,
                            Colour colour) {
    texts_.push_back({rect, align, std::string(text), colour});
    // Through fill, so that the mark keeps to the area being drawn as a font would.
    fill({rect.left, markRow(rect), rect.width, 1}, colour);
}

} // namespace vantrel::test
