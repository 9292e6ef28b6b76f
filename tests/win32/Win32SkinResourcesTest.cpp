#include "win32/Win32SkinResources.h"

#include "win32/GdiPlusSession.h"

#include <gtest/gtest.h>

#include <array>

namespace vantrel {
namespace {

class Win32SkinResourcesTest : public testing::Test {
protected:
    GdiPlusSession gdiPlus;
    Win32SkinResources resources;
};

TEST_F(Win32SkinResourcesTest, PngResourceDecodesToItsSizeAndPixels) {
    const ResourceBytes found = resources.findPicture(171);
    ASSERT_EQ(found.lookup, ResourceLookup::Found);
    const SkinImage picture = resources.decodePicture(found.bytes);
    ASSERT_EQ(picture.width, 82);
    ASSERT_EQ(picture.height, 28);
    EXPECT_EQ(picture.pixel(10, 10), 0xFF218DCDu);
    EXPECT_EQ(picture.pixel(0, 0), 0u);
    // Decoded with straight alpha, premultiplied once by the skin's own rule.
    const std::array<std::uint32_t, 1> straight{0x8A0B293Fu};
    EXPECT_EQ(picture.pixel(3, 0), SkinImage::fromStraightArgb(1, 1, straight).pixel(0, 0));
}

TEST_F(Win32SkinResourcesTest, MissingPictureAndUndecodableBytesAreTold) {
    EXPECT_EQ(resources.findPicture(9999).lookup, ResourceLookup::NotFound);
    const std::array<std::uint8_t, 8> notPng{'n', 'o', 't', ' ', 'a', 'p', 'n', 'g'};
    EXPECT_TRUE(resources.decodePicture(notPng).isNull());
}

TEST_F(Win32SkinResourcesTest, HighlightBitmapLoadsOpaque) {
    const SkinImage bitmap = resources.loadBitmap(143);
    ASSERT_EQ(bitmap.width, 100);
    ASSERT_EQ(bitmap.height, 27);
    EXPECT_EQ(bitmap.pixel(3, 3), 0xFFC8C8C8u);
    EXPECT_TRUE(resources.loadBitmap(9999).isNull());
}

} // namespace
} // namespace vantrel
