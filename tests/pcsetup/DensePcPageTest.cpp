#include "pcsetup/LabelledSlots.h"
#include "resources/templates/DialogTemplate.h"
#include "tests/window/PageFixture.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

constexpr int PC_BACKGROUND = 221;
constexpr int LB_LABEL = 1000;
// The caption "PC Setup" on the tab of the page's background, in page pixels.
constexpr PixelRect TAB_CAPTION{56, 24, 84, 22};

int luma(std::uint32_t pixel) {
    return (((pixel >> 16) & 0xFF) * 3 + ((pixel >> 8) & 0xFF) * 6 + (pixel & 0xFF)) / 10;
}

// How many canvas pixels of the rectangle are neither near its darkest nor near its brightest:
// the width of its edges, summed. A blurred caption has many.
int edgePixels(const SkinImage& image, const PixelRect& rect, int scale) {
    int darkest = 255;
    int brightest = 0;
    for (int y = rect.top * scale; y < rect.bottom() * scale; ++y) {
        for (int x = rect.left * scale; x < rect.right() * scale; ++x) {
            darkest = std::min(darkest, luma(image.pixel(x, y)));
            brightest = std::max(brightest, luma(image.pixel(x, y)));
        }
    }
    const int margin = (brightest - darkest) / 5;
    int between = 0;
    for (int y = rect.top * scale; y < rect.bottom() * scale; ++y) {
        for (int x = rect.left * scale; x < rect.right() * scale; ++x) {
            const int value = luma(image.pixel(x, y));
            between += value > darkest + margin && value < brightest - margin ? 1 : 0;
        }
    }
    return between;
}

// The PC Setup page on a screen of twice the density: the pictures drawn for it.
class DensePcPageTest : public test::PageFixture {
protected:
    void SetUp() override {
        resources.useScale(2);
        PageFixture::SetUp();
        connect();
    }
};

TEST_F(DensePcPageTest, CaptionsStaySharpAndHitRectanglesStayInPagePixels) {
    const SkinImage dense = paint(pcPage(), 2).image();
    ASSERT_EQ(dense.width, 1600);
    ASSERT_EQ(dense.height, 1200);

    // The standard picture, as a page without the dense ones would draw it there.
    test::SourceSkinResources standard;
    test::TestCanvas upscaled(800, 600, 2);
    upscaled.drawPicture(standard.picture(PC_BACKGROUND), {0, 0, 800, 600});
    const int denseEdges = edgePixels(dense, TAB_CAPTION, 2);
    const int upscaledEdges = edgePixels(upscaled.image(), TAB_CAPTION, 2);
    EXPECT_GT(denseEdges, 0);
    EXPECT_LT(denseEdges * 10, upscaledEdges * 7)
        << "the caption's edges are " << denseEdges << " pixels wide in all, against "
        << upscaledEdges << " from the standard picture";

    // LB answers over its label's page rectangle, and its highlight covers that rectangle's
    // canvas pixels exactly.
    const PixelRect lb = controlRect(dialogTemplate(PC_SETUP_DIALOG), LB_LABEL);
    move(pcPage(), test::centre(lb));
    ASSERT_EQ(pcPage().capture().hoverSlot(), 3);
    const SkinImage hovered = paint(pcPage(), 2).image();
    const std::uint32_t highlight = 0xFFC8C8C8;
    EXPECT_EQ(hovered.pixel(lb.left * 2, lb.top * 2), highlight);
    EXPECT_EQ(hovered.pixel(lb.right() * 2 - 1, lb.bottom() * 2 - 1), highlight);
    EXPECT_NE(hovered.pixel(lb.left * 2 - 1, lb.top * 2), highlight);
    EXPECT_NE(hovered.pixel(lb.right() * 2, lb.bottom() * 2 - 1), highlight);
    click(pcPage(), test::centre(lb));
    EXPECT_TRUE(pcPage().capture().isCapturing());
}

} // namespace
} // namespace vantrel
