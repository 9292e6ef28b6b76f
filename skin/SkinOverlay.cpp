#include "skin/SkinOverlay.h"

#include <QRect>

namespace vantrel {

SkinOverlay SkinOverlay::fromFullPage(const QImage& picture) {
    if (picture.isNull()) {
        return {};
    }
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int left = image.width();
    int top = image.height();
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0) {
        return {};
    }
    const QRect box(QPoint(left, top), QPoint(right, bottom));
    return {image.copy(box), box.topLeft()};
}

} // namespace vantrel
