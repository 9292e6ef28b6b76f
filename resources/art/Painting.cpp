#include "Painting.h"

#include "Theme.h"

#include <QLinearGradient>
#include <QPainter>

namespace vantrel::art {

namespace {

int currentScale = 1;

} // namespace

void setDrawingScale(int scale) {
    currentScale = scale;
}

QImage blankPicture(QSize size, Transparency transparency) {
    const bool alpha = transparency == Transparency::Alpha;
    QImage picture(size * currentScale,
                   alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    // A painter on the picture then draws in page pixels.
    picture.setDevicePixelRatio(currentScale);
    picture.fill(alpha ? Qt::transparent : Qt::black);
    return picture;
}

void beginPainting(QPainter& painter, QImage& picture) {
    painter.begin(&picture);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
}

void drawTextBox(QPainter& painter, QRect box) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(box, theme::well);
    painter.setPen(theme::wellEdge);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(theme::accentDim);
    painter.drawLine(box.left(), box.top(), box.left(), box.bottom());
    painter.restore();
}

void drawPanel(QPainter& painter, QRectF rect, qreal radius) {
    painter.save();
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0, theme::panelTop);
    fill.setColorAt(1, theme::panelBottom);
    painter.setBrush(fill);
    painter.setPen(QPen(theme::panelEdge, 1));
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.setPen(QPen(QColor(255, 255, 255, 14), 1));
    painter.drawLine(rect.topLeft() + QPointF(radius, 1.5),
                     rect.topRight() + QPointF(-radius, 1.5));
    painter.restore();
}

FaceRole faceRole(const QString& caption) {
    return caption == QStringLiteral("SAVE") ? FaceRole::Primary : FaceRole::Normal;
}

namespace {

struct FaceColours {
    QColor top, bottom, edge, text;
};

FaceColours faceColours(FaceLook look, FaceRole role) {
    const bool primary = role == FaceRole::Primary;
    if (look == FaceLook::Raised) {
        return primary ? FaceColours{{44, 170, 240}, {14, 92, 146}, {6, 30, 48}, theme::text}
                       : FaceColours{{86, 96, 108}, {40, 45, 52}, {6, 7, 9}, theme::text};
    }
    return primary ? FaceColours{{6, 36, 56}, {10, 58, 90}, {4, 14, 22}, {120, 190, 230}}
                   : FaceColours{{14, 16, 19}, {28, 32, 37}, {4, 5, 6}, theme::textDim};
}

} // namespace

void drawButtonFace(QPainter& painter, QRectF rect, const QString& caption, FaceLook look,
                    FaceRole role, int captionPixels) {
    const FaceColours colours = faceColours(look, role);
    const bool raised = look == FaceLook::Raised;
    const QRectF outline = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = raised ? 5 : 6;
    painter.save();

    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0, colours.top);
    fill.setColorAt(1, colours.bottom);
    painter.setPen(QPen(colours.edge, 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(outline, radius, radius);

    painter.setBrush(Qt::NoBrush);
    const QRectF inner = outline.adjusted(1, 1, -1, -1);
    if (raised) {
        // The bevel: light along the top, shade along the bottom.
        painter.setPen(QPen(QColor(255, 255, 255, 70), 1));
        painter.drawLine(inner.topLeft() + QPointF(radius - 1, 0.5),
                         inner.topRight() + QPointF(1 - radius, 0.5));
        painter.setPen(QPen(QColor(0, 0, 0, 90), 1));
        painter.drawLine(inner.bottomLeft() + QPointF(radius - 1, -0.5),
                         inner.bottomRight() + QPointF(1 - radius, -0.5));
    } else {
        // The inset: a shadow cast under the top rim and a faint lit edge round it.
        painter.setPen(QPen(QColor(0, 0, 0, 150), 2));
        painter.drawLine(inner.topLeft() + QPointF(radius - 1, 1),
                         inner.topRight() + QPointF(1 - radius, 1));
        painter.setPen(
            QPen(QColor(theme::accent.red(), theme::accent.green(), theme::accent.blue(), 60), 1));
        painter.drawRoundedRect(outline, radius, radius);
    }

    const QPointF offset = raised ? QPointF(0, 0) : QPointF(1, 1);
    const QFont font = theme::font(captionPixels, QFont::Bold);
    if (raised) {
        drawText(painter, rect.translated(0, 1), Qt::AlignCenter, caption, font,
                 QColor(0, 0, 0, 140));
    }
    drawText(painter, rect.translated(offset), Qt::AlignCenter, caption, font, colours.text);
    painter.restore();
}

void drawText(QPainter& painter, QRectF rect, int flags, const QString& text, const QFont& font,
              const QColor& colour) {
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(rect, flags, text);
    painter.restore();
}

void drawCallout(QPainter& painter, const QPolygonF& line, const QColor& colour, qreal width) {
    painter.save();
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(line);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(line.first(), width + 1.5, width + 1.5);
    painter.restore();
}

void drawKeySquare(QPainter& painter, QRect square) {
    painter.save();
    painter.fillRect(square, theme::well);
    QPen dashes(theme::accent, 1, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    dashes.setDashPattern({3, 2});
    painter.setPen(dashes);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(square).adjusted(-1.5, -1.5, 1.5, 1.5));
    painter.restore();
}

void drawIconWell(QPainter& painter, QRect square) {
    painter.save();
    painter.fillRect(square, theme::well);
    painter.setPen(QPen(theme::wellEdge, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(square).adjusted(-1.5, -1.5, 1.5, 1.5), 3, 3);
    painter.restore();
}

} // namespace vantrel::art
