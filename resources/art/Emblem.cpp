#include "Emblem.h"

#include "Theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace vantrel::art {

void drawEmblem(QPainter& painter, QRectF square) {
    const auto at = [&square](qreal x, qreal y) {
        return QPointF(square.left() + x * square.width(), square.top() + y * square.height());
    };
    QPainterPath mark;
    mark.moveTo(at(0.04, 0.14));
    mark.lineTo(at(0.33, 0.14));
    mark.lineTo(at(0.5, 0.56));
    mark.lineTo(at(0.67, 0.14));
    mark.lineTo(at(0.96, 0.14));
    mark.lineTo(at(0.58, 0.88));
    mark.lineTo(at(0.42, 0.88));
    mark.closeSubpath();

    QLinearGradient fill(at(0, 0.14), at(0, 0.88));
    fill.setColorAt(0, theme::accent.lighter(135));
    fill.setColorAt(1, theme::accentDim);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(mark);
    painter.restore();
}

} // namespace vantrel::art
