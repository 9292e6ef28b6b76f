#include "AppIcon.h"

#include "Emblem.h"
#include "Painting.h"
#include "Theme.h"

#include <QLinearGradient>
#include <QPainter>

namespace vantrel::art {

QImage appIcon(int side) {
    QImage picture = blankPicture(QSize(side, side), Transparency::Alpha);
    QPainter painter;
    beginPainting(painter, picture);
    const qreal unit = side / 16.0;
    const QRectF tile =
        QRectF(0, 0, side, side).adjusted(0.5 * unit, 0.5 * unit, -0.5 * unit, -0.5 * unit);
    QLinearGradient fill(tile.topLeft(), tile.bottomLeft());
    fill.setColorAt(0, QColor(46, 52, 60));
    fill.setColorAt(1, QColor(12, 14, 17));
    painter.setPen(QPen(theme::accentDim, qMax(1.0, unit * 0.6)));
    painter.setBrush(fill);
    painter.drawRoundedRect(tile, 3.2 * unit, 3.2 * unit);
    drawEmblem(painter, tile.adjusted(2 * unit, 2.6 * unit, -2 * unit, -1.4 * unit));
    painter.end();
    return picture;
}

} // namespace vantrel::art
