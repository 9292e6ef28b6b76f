#include "tests/skin/PictureDecoder.h"

#include <QImage>

namespace vantrel::test {

namespace {

QImage decoded(std::span<const std::uint8_t> bytes, const char* format, QImage::Format pixels) {
    const QImage image = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), format);
    return image.isNull() ? image : image.convertToFormat(pixels);
}

std::span<const std::uint32_t> pixelsOf(const QImage& image) {
    return {reinterpret_cast<const std::uint32_t*>(image.constBits()),
            static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height())};
}

} // namespace

SkinImage decodePng(std::span<const std::uint8_t> bytes) {
    // Straight alpha, as the program's own decoding hands it to the skin.
    const QImage image = decoded(bytes, "PNG", QImage::Format_ARGB32);
    if (image.isNull()) {
        return {};
    }
    return SkinImage::fromStraightArgb(image.width(), image.height(), pixelsOf(image));
}

SkinImage decodeBitmap(std::span<const std::uint8_t> bytes) {
    const QImage image = decoded(bytes, "BMP", QImage::Format_RGB32);
    if (image.isNull()) {
        return {};
    }
    return SkinImage::fromOpaqueRgb(image.width(), image.height(), pixelsOf(image));
}

} // namespace vantrel::test
