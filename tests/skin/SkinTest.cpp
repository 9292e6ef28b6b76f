#include "skin/QualityGauge.h"
#include "skin/RasterCanvas.h"
#include "skin/SkinOverlay.h"
#include "skin/SkinPicture.h"
#include "tests/support/RecordingMessages.h"

#include <gtest/gtest.h>

#include <map>

namespace vantrel {
namespace {

// A canvas whose texts are only recorded.
class TextlessCanvas : public RasterCanvas {
public:
    using RasterCanvas::RasterCanvas;
    std::vector<std::string> texts;

protected:
    void renderText(const PixelRect&, ControlAlign, std::string_view text, Colour) override {
        texts.emplace_back(text);
    }
};

std::uint32_t rgbAt(const RasterCanvas& canvas, int x, int y) {
    return canvas.image().pixel(x, y) & 0xFFFFFF;
}

SkinImage solid(int width, int height, std::uint32_t argb) {
    const std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height), argb);
    return SkinImage::fromStraightArgb(width, height, pixels);
}

TEST(QualityGauge, RowsForAGaugeOf128) {
    const PixelRect gauge{10, 20, 18, 128}; // top 20, bottom 148
    struct Case {
        int value;
        int markerTop; // the marker's two rows start here
    };
    const Case cases[] = {{-50, 146}, {0, 104}, {100, 18}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        TextlessCanvas canvas(64, 200);
        drawQualityGauge(canvas, gauge, c.value);
        const int split = 20 + 85;
        for (int y = 0; y < 200; ++y) {
            std::uint32_t expected = 0;
            if (y >= 20 && y < split) {
                expected = 0x009600;
            } else if (y >= split && y < 148) {
                expected = 0xFF0000;
            }
            if (y == c.markerTop || y == c.markerTop + 1) {
                expected = 0xFFFFFF;
            }
            ASSERT_EQ(rgbAt(canvas, 10, y), expected) << "row " << y;
            ASSERT_EQ(rgbAt(canvas, 27, y), expected) << "row " << y;
            ASSERT_EQ(rgbAt(canvas, 28, y), 0u) << "the right edge is not filled";
        }
    }
}

class ScriptedResources : public SkinResources {
public:
    std::map<int, ResourceLookup> lookups;

    ResourceBytes findPicture(int id) override {
        const auto found = lookups.find(id);
        if (found == lookups.end() || found->second != ResourceLookup::Found) {
            return {found == lookups.end() ? ResourceLookup::NotFound : found->second, {}};
        }
        return {ResourceLookup::Found, {static_cast<std::uint8_t>(id)}};
    }
    SkinImage decodePicture(std::span<const std::uint8_t> bytes) override {
        return solid(bytes[0], 1, 0xFF000000u);
    }
    SkinImage loadBitmap(int) override { return {}; }
};

TEST(SkinPictures, TheFirstFailureStopsTheLoadingWithItsMessage) {
    struct Case {
        ResourceLookup second;
        std::string_view message;
    };
    for (const Case& c : {Case{ResourceLookup::NotFound, pictureNotFoundMessage},
                          Case{ResourceLookup::NotLoaded, pictureNotLoadedMessage}}) {
        SCOPED_TRACE(c.message);
        ScriptedResources resources;
        resources.lookups = {
            {71, ResourceLookup::Found}, {72, c.second}, {73, ResourceLookup::Found}};
        test::RecordingMessages messages;
        std::vector<SkinImage> table;
        const int ids[] = {71, 72, 73};
        EXPECT_FALSE(loadSkinPictures(resources, ids, messages, table));
        EXPECT_EQ(messages.texts(), std::vector<std::string>{std::string(c.message)});
        ASSERT_EQ(table.size(), 1u) << "the pictures before it are kept, the later ones not loaded";
        EXPECT_EQ(table[0].width, 71);
    }
}

TEST(SkinImage, PremultipliesStraightPixelsAndRefusesAWrongSize) {
    const std::vector<std::uint32_t> straight = {0xFF102030, 0x80FF8000, 0x00FFFFFF};
    const SkinImage image = SkinImage::fromStraightArgb(3, 1, straight);
    EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{0xFF102030, 0x80804000, 0}));
    EXPECT_TRUE(SkinImage::fromStraightArgb(2, 2, straight).isNull());
}

TEST(SkinOverlay, KeepsOnlyTheBoxOfVisiblePixelsAndDrawsTheSame) {
    std::vector<std::uint32_t> pixels(800 * 600, 0);
    pixels[119 * 800 + 508] = 0xFF0AC8FF;
    pixels[138 * 800 + 528] = 0x800A64FF;
    const SkinImage full = SkinImage::fromStraightArgb(800, 600, pixels);
    const SkinOverlay overlay = SkinOverlay::fromFullPage(full);
    EXPECT_EQ(overlay.left, 508);
    EXPECT_EQ(overlay.top, 119);
    EXPECT_EQ(overlay.pixels.width, 21);
    EXPECT_EQ(overlay.pixels.height, 20);

    TextlessCanvas direct(800, 600);
    TextlessCanvas cropped(800, 600);
    direct.fill({0, 0, 800, 600}, {64, 64, 64});
    cropped.fill({0, 0, 800, 600}, {64, 64, 64});
    direct.drawPicture(full, {0, 0, 800, 600});
    drawOverlay(cropped, overlay, {0, 0, 800, 600});
    EXPECT_EQ(direct.image().pixels, cropped.image().pixels);
    EXPECT_TRUE(SkinOverlay::fromFullPage(
                    SkinImage::fromStraightArgb(2, 2, std::vector<std::uint32_t>(4, 0x00FFFFFF)))
                    .pixels.isNull());
}

TEST(RasterCanvas, BlendsScalesCopiesAndKeepsToItsArea) {
    TextlessCanvas canvas(8, 4);
    canvas.fill({0, 0, 8, 4}, {0, 0, 200});
    // Half-transparent red over blue: each channel is the picture's plus what shows through.
    canvas.drawPicture(solid(1, 1, 0x80FF0000), {0, 0, 1, 1});
    EXPECT_EQ(canvas.image().pixel(0, 0), 0xFF800064u);

    // Scaled, each pixel takes the picture pixel under its centre: a 2 by 1 picture over four
    // columns gives two columns of each.
    const std::vector<std::uint32_t> twoColours = {0xFF00FF00, 0xFFFFFFFF};
    canvas.drawPicture(SkinImage::fromStraightArgb(2, 1, twoColours), {0, 1, 4, 1});
    EXPECT_EQ(rgbAt(canvas, 0, 1), 0x00FF00u);
    EXPECT_EQ(rgbAt(canvas, 1, 1), 0x00FF00u);
    EXPECT_EQ(rgbAt(canvas, 2, 1), 0xFFFFFFu);
    EXPECT_EQ(rgbAt(canvas, 3, 1), 0xFFFFFFu);

    // A copy takes the surface's pixels as they are, only as far as the surface reaches.
    canvas.copyBitmap(solid(2, 1, 0xFF123456), {5, 1, 3, 2});
    EXPECT_EQ(rgbAt(canvas, 5, 1), 0x123456u);
    EXPECT_EQ(rgbAt(canvas, 6, 1), 0x123456u);
    EXPECT_EQ(rgbAt(canvas, 7, 1), 0x0000C8u);
    EXPECT_EQ(rgbAt(canvas, 5, 2), 0x0000C8u);

    const PixelRect area[] = {{0, 3, 2, 1}};
    canvas.setArea(area);
    canvas.fill({0, 0, 8, 4}, {255, 255, 0});
    EXPECT_EQ(rgbAt(canvas, 1, 3), 0xFFFF00u);
    EXPECT_EQ(rgbAt(canvas, 2, 3), 0x0000C8u);
    EXPECT_EQ(rgbAt(canvas, 1, 2), 0x0000C8u);
    canvas.drawText({4, 0, 4, 2}, ControlAlign::Left, "outside", textColour);
    canvas.drawText({0, 2, 4, 2}, ControlAlign::Left, "inside", textColour);
    EXPECT_EQ(canvas.texts, std::vector<std::string>{"inside"});
}

TEST(RasterCanvas, AtScaleTwoDrawsInPagePixelsWithTwiceTheDetail) {
    TextlessCanvas canvas(4, 2, 2);
    ASSERT_EQ(canvas.image().width, 8);
    ASSERT_EQ(canvas.image().height, 4);
    canvas.fill({0, 0, 4, 2}, {0, 0, 200});

    // A picture drawn at the canvas's density lands pixel for pixel: four by two pixels in two
    // by one page pixels.
    std::vector<std::uint32_t> eightColours;
    for (std::uint32_t value = 1; value <= 8; ++value) {
        eightColours.push_back(0xFF000000 | value);
    }
    canvas.drawPicture(SkinImage::fromStraightArgb(4, 2, eightColours), {0, 0, 2, 1});
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(rgbAt(canvas, x, 0), static_cast<std::uint32_t>(x + 1)) << "column " << x;
        EXPECT_EQ(rgbAt(canvas, x, 1), static_cast<std::uint32_t>(x + 5)) << "column " << x;
        EXPECT_EQ(rgbAt(canvas, x, 2), 0x0000C8u) << "the picture covers one page row";
    }

    // A surface in page pixels covers two by two canvas pixels per pixel.
    const std::vector<std::uint32_t> surface = {0xFF111111, 0xFF222222};
    canvas.copyBitmap(SkinImage::fromOpaqueRgb(2, 1, surface), {2, 1, 2, 1});
    EXPECT_EQ(rgbAt(canvas, 4, 2), 0x111111u);
    EXPECT_EQ(rgbAt(canvas, 5, 3), 0x111111u);
    EXPECT_EQ(rgbAt(canvas, 6, 2), 0x222222u);
    EXPECT_EQ(rgbAt(canvas, 7, 3), 0x222222u);

    // The area is in page pixels too.
    const PixelRect area[] = {{1, 0, 1, 1}};
    canvas.setArea(area);
    canvas.fill({0, 0, 4, 2}, {255, 255, 0});
    EXPECT_EQ(rgbAt(canvas, 1, 1), 0x000006u);
    EXPECT_EQ(rgbAt(canvas, 2, 0), 0xFFFF00u);
    EXPECT_EQ(rgbAt(canvas, 3, 1), 0xFFFF00u);
    EXPECT_EQ(rgbAt(canvas, 4, 0), 0x0000C8u);
}

TEST(SkinOverlay, FromAPictureAtScaleTwoKeepsABoxOnPagePixels) {
    std::vector<std::uint32_t> pixels(1600 * 1200, 0);
    // An odd first column and row: the box still starts on a page pixel.
    pixels[239 * 1600 + 1017] = 0xFF0AC8FF;
    pixels[240 * 1600 + 1020] = 0xFF0AC8FF;
    const SkinImage full = SkinImage::fromStraightArgb(1600, 1200, pixels);
    const SkinOverlay overlay = SkinOverlay::fromFullPage(full);
    EXPECT_EQ(overlay.scale, 2);
    EXPECT_EQ(overlay.left, 508);
    EXPECT_EQ(overlay.top, 119);
    EXPECT_EQ(overlay.pixels.width, 6);
    EXPECT_EQ(overlay.pixels.height, 4);

    TextlessCanvas direct(800, 600, 2);
    TextlessCanvas cropped(800, 600, 2);
    direct.drawPicture(full, {0, 0, 800, 600});
    drawOverlay(cropped, overlay, {0, 0, 800, 600});
    EXPECT_EQ(direct.image().pixels, cropped.image().pixels);
}

} // namespace
} // namespace vantrel
