#include "KeyHighlights.h"

#include "PageGeometry.h"
#include "Painting.h"
#include "Theme.h"
#include "X360KeyLayout.h"

#include <QPainter>

namespace vantrel::art {

namespace {

QColor withAlpha(QColor colour, int alpha) {
    colour.setAlpha(alpha);
    return colour;
}

// A bold arrow pointing down onto a key that is pressed rather than moved.
void drawPressArrow(QPainter& painter, QPointF target) {
    const QPointF tip = target + QPointF(11, -11);
    const QPointF tail = tip + QPointF(22, -22);
    painter.save();
    painter.setPen(QPen(theme::keyGreen, 3.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(tail, tip + QPointF(4, -4));
    painter.setPen(QPen(QColor(0, 0, 0, 160), 1));
    painter.setBrush(theme::keyGreen);
    painter.drawPolygon(QPolygonF{tip, tip + QPointF(2, -13), tip + QPointF(13, -2)});
    painter.restore();
}

} // namespace

QImage keyHighlight(int key) {
    QImage picture = blankPicture(geometry::PAGE_SIZE, Transparency::Alpha);
    QPainter painter;
    beginPainting(painter, picture);
    painter.setClipRect(geometry::KEY_HIGHLIGHT_AREA);
    const X360Key drawn = x360Key(key);

    painter.setPen(
        QPen(withAlpha(theme::keyGreen, 70), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(drawn.shape);
    painter.setPen(QPen(theme::keyGreen.lighter(130), 1.5));
    painter.setBrush(withAlpha(theme::keyGreen, 165));
    painter.drawPath(drawn.shape);
    if (drawn.pressed) {
        drawPressArrow(painter, drawn.shape.boundingRect().center());
    }

    drawCallout(painter, drawn.callout, theme::keyGreen, 3);
    const QRect square = geometry::KEY_SQUARES[key];
    painter.setPen(QPen(theme::keyGreen, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(square).adjusted(-2, -2, 2, 2));
    painter.end();
    return picture;
}

} // namespace vantrel::art
