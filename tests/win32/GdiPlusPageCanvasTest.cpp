#include "win32/GdiPlusPageCanvas.h"

#include "win32/GdiPlusSession.h"

#include <gtest/gtest.h>

#include <array>

namespace vantrel {
namespace {

constexpr std::uint32_t black = 0xFF000000;

class GdiPlusPageCanvasTest : public testing::Test {
protected:
    GdiPlusSession gdiPlus;
    GdiPlusPageCanvas canvas{200, 100};

    void fillBlack() {
        canvas.setArea({});
        canvas.fill({0, 0, 200, 100}, {0, 0, 0});
    }

    // Whether any pixel of the canvas differs from black outside the rectangle, and inside it.
    std::pair<bool, bool> drawnOutsideAndInside(const PixelRect& rect) const {
        bool outside = false;
        bool inside = false;
        const SkinImage& image = canvas.image();
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                if (image.pixel(x, y) != black) {
                    (rect.contains(x, y) ? inside : outside) = true;
                }
            }
        }
        return {outside, inside};
    }
};

TEST_F(GdiPlusPageCanvasTest, TextStaysInsideItsRectangle) {
    fillBlack();
    const PixelRect rect{20, 30, 60, 16};
    canvas.drawText(rect, ControlAlign::Centre, "Wide text overflowing its box", textColour);
    const auto [outside, inside] = drawnOutsideAndInside(rect);
    EXPECT_TRUE(inside);
    EXPECT_FALSE(outside);
}

TEST_F(GdiPlusPageCanvasTest, WrappedTextStaysInsideTheAreaBeingDrawn) {
    fillBlack();
    const PixelRect area{0, 0, 200, 20};
    canvas.setArea(std::array{area});
    canvas.drawText({10, 5, 120, 60}, ControlAlign::Left, "Several words that wrap onto more lines",
                    captureTextColour);
    const auto [outside, inside] = drawnOutsideAndInside(area);
    EXPECT_TRUE(inside);
    EXPECT_FALSE(outside);
}

} // namespace
} // namespace vantrel
