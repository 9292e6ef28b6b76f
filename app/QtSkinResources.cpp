#include "app/QtSkinResources.h"

#include <QFile>
#include <QImage>

namespace vantrel {

namespace {

std::span<const std::uint32_t> pixelsOf(const QImage& image) {
    return {reinterpret_cast<const std::uint32_t*>(image.constBits()),
            static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height())};
}

} // namespace

ResourceBytes QtSkinResources::findPicture(int resourceId) {
    QFile resource(QStringLiteral(":/PNG@%1x/%2").arg(scale_).arg(resourceId));
    if (scale_ == 1 || !resource.exists()) {
        resource.setFileName(QStringLiteral(":/PNG/%1").arg(resourceId));
    }
    if (!resource.exists()) {
        return {ResourceLookup::NotFound, {}};
    }
    if (!resource.open(QIODevice::ReadOnly)) {
        return {ResourceLookup::NotLoaded, {}};
    }
    const QByteArray bytes = resource.readAll();
    return {ResourceLookup::Found, {bytes.begin(), bytes.end()}};
}

SkinImage QtSkinResources::decodePicture(std::span<const std::uint8_t> bytes) {
    const QImage decoded = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "PNG");
    if (decoded.isNull()) {
        return {};
    }
    // Straight alpha, exactly as the file holds it: the premultiplying is the skin's own.
    const QImage straight = decoded.convertToFormat(QImage::Format_ARGB32);
    return SkinImage::fromStraightArgb(straight.width(), straight.height(), pixelsOf(straight));
}

SkinImage QtSkinResources::loadBitmap(int resourceId) {
    const QImage bitmap =
        QImage(QStringLiteral(":/BITMAP/%1").arg(resourceId)).convertToFormat(QImage::Format_RGB32);
    if (bitmap.isNull()) {
        return {};
    }
    return SkinImage::fromOpaqueRgb(bitmap.width(), bitmap.height(), pixelsOf(bitmap));
}

} // namespace vantrel
