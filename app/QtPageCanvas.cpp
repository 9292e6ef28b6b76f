#include "app/QtPageCanvas.h"

#include <QPainter>
#include <QRegion>

namespace vantrel {

namespace {

QRect toQRect(const PixelRect& rect) {
    return {rect.left, rect.top, rect.width, rect.height};
}

} // namespace

QFont pageFont() {
    QFont font(QStringLiteral("Arial"));
    // A 16-pixel cell holds an em of 14 pixels in Arial's proportions.
    font.setPixelSize(14);
    font.setWeight(QFont::Thin);
    return font;
}

QtPageCanvas::QtPageCanvas(int width, int height, int scale)
    : RasterCanvas(width, height, scale), font_(pageFont()) {
}

QImage QtPageCanvas::image() const {
    const SkinImage& pixels = RasterCanvas::image();
    QImage image(reinterpret_cast<const uchar*>(pixels.pixels.data()), pixels.width, pixels.height,
                 pixels.width * 4, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale());
    return image;
}

void QtPageCanvas::renderText(const PixelRect& rect, ControlAlign align, std::string_view text,
                              Colour colour) {
    const SkinImage& pixels = RasterCanvas::image();
    QImage view(reinterpret_cast<uchar*>(bits()), pixels.width, pixels.height, pixels.width * 4,
                QImage::Format_ARGB32_Premultiplied);
    // The painter then speaks in page pixels, and the text is rasterised at the canvas's density.
    view.setDevicePixelRatio(scale());
    QPainter painter(&view);
    if (!area().empty()) {
        QRegion clip;
        for (const PixelRect& part : area()) {
            clip += toQRect(part);
        }
        painter.setClipRegion(clip);
    }
    painter.setFont(font_);
    painter.setPen(QColor(colour.red, colour.green, colour.blue));
    const int flags = align == ControlAlign::Centre
                          ? Qt::AlignCenter | Qt::TextSingleLine
                          : Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    painter.drawText(toQRect(rect), flags,
                     QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

} // namespace vantrel
