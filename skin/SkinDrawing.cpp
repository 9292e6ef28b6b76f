#include "skin/SkinDrawing.h"

namespace vantrel {

namespace {

constexpr QSize standardPage{800, 600};

// Fills the columns left to right - 1 and the rows first to last.
void fillRows(QPainter& canvas, const PixelRect& gauge, int first, int last, const QColor& colour) {
    if (last < first) {
        return;
    }
    canvas.fillRect(QRect(QPoint(gauge.left, first), QPoint(gauge.right() - 1, last)), colour);
}

} // namespace

void drawPicture(QPainter& canvas, const QImage& picture, const QRect& rect) {
    if (picture.isNull()) {
        return;
    }
    if (picture.size() == rect.size()) {
        canvas.drawImage(rect.topLeft(), picture);
    } else {
        canvas.drawImage(rect, picture);
    }
}

void drawOverlay(QPainter& canvas, const SkinOverlay& overlay, const QRect& pageRect) {
    if (overlay.pixels.isNull()) {
        return;
    }
    if (pageRect.size() == standardPage) {
        canvas.drawImage(pageRect.topLeft() + overlay.origin, overlay.pixels);
        return;
    }
    const double sx = double(pageRect.width()) / standardPage.width();
    const double sy = double(pageRect.height()) / standardPage.height();
    const QRectF target(pageRect.left() + overlay.origin.x() * sx,
                        pageRect.top() + overlay.origin.y() * sy, overlay.pixels.width() * sx,
                        overlay.pixels.height() * sy);
    canvas.drawImage(target, overlay.pixels);
}

void copyBitmap(QPainter& canvas, const QImage& surface, int left, int top, int width, int height) {
    const QPainter::CompositionMode before = canvas.compositionMode();
    canvas.setCompositionMode(QPainter::CompositionMode_Source);
    canvas.drawImage(QPoint(left, top), surface, QRect(0, 0, width, height));
    canvas.setCompositionMode(before);
}

void drawQualityGauge(QPainter& canvas, const PixelRect& gauge, int value) {
    const int top = gauge.top;
    const int bottom = gauge.bottom();
    const int h = bottom - top;
    const int split = top + (h * 100) / 150;
    fillRows(canvas, gauge, top, split - 1, gaugeGoodColour);
    fillRows(canvas, gauge, split, bottom - 1, gaugePoorColour);
    const int y = bottom - (h * (value + 50)) / 150;
    fillRows(canvas, gauge, y - 2, y - 1, gaugeMarkerColour);
}

void presentCanvas(QPainter& window, const QImage& canvas, const QRect& pageRect) {
    window.setCompositionMode(QPainter::CompositionMode_Source);
    window.drawImage(pageRect.topLeft(), canvas);
}

} // namespace vantrel
