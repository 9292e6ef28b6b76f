#include "tests/skin/PictureDecoder.h"

#include "win32/GdiPlusSession.h"
#include "win32/Win32SkinResources.h"

namespace vantrel::test {

namespace {

// The Windows program's own decoding, with GDI+ up from the first picture to the end of the run.
Win32SkinResources& programDecoder() {
    static GdiPlusSession gdiPlus;
    static Win32SkinResources resources;
    return resources;
}

} // namespace

SkinImage decodePng(std::span<const std::uint8_t> bytes) {
    return programDecoder().decodePicture(bytes);
}

SkinImage decodeBitmap(std::span<const std::uint8_t> bytes) {
    // GDI+ reads .bmp files too; a bitmap is an opaque surface whatever its fourth bytes hold.
    const SkinImage decoded = programDecoder().decodePicture(bytes);
    if (decoded.isNull()) {
        return {};
    }
    return SkinImage::fromOpaqueRgb(decoded.width, decoded.height, decoded.pixels);
}

} // namespace vantrel::test
