#include "skin/SkinOverlay.h"

#include <QRect>

#include <algorithm>
#include <iterator>

namespace vantrel {

SkinOverlay SkinOverlay::fromFullPage(const QImage& picture) {
    if (picture.isNull()) {
        return {};
    }
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = image.width();
    const int height = image.height();
    int left = width;
    int top = height;
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < height; ++y) {
        // Premultiplied, a pixel with no alpha is all zero, whatever its colour was.
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const auto* first = std::find_if(row, row + width, [](QRgb pixel) { return pixel != 0; });
        if (first == row + width) {
            continue;
        }
        const auto last =
            std::find_if(std::make_reverse_iterator(row + width), std::make_reverse_iterator(first),
                         [](QRgb pixel) { return pixel != 0; });
        left = std::min(left, static_cast<int>(first - row));
        right = std::max(right, static_cast<int>(last.base() - row) - 1);
        top = std::min(top, y);
        bottom = y;
    }
    if (right < 0) {
        return {};
    }
    const QRect box(QPoint(left, top), QPoint(right, bottom));
    return {image.copy(box), box.topLeft()};
}

} // namespace vantrel
