#include "DeviceParts.h"

#include "Painting.h"
#include "Theme.h"

#include <QPainter>
#include <QPainterPathStroker>
#include <QRadialGradient>

namespace vantrel::art {

void drawShadow(QPainter& painter, const QPainterPath& outline) {
    painter.save();
    painter.translate(4, 7);
    painter.setBrush(Qt::NoBrush);
    for (const qreal width : {18.0, 12.0, 7.0, 3.0}) {
        painter.setPen(
            QPen(QColor(0, 0, 0, 26), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(outline);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 120));
    painter.drawPath(outline);
    painter.restore();
}

QPainterPath insetBand(const QPainterPath& outline, qreal inset, qreal width) {
    const auto within = [&outline](qreal depth) {
        if (depth <= 0) {
            return QPainterPath();
        }
        QPainterPathStroker stroker;
        stroker.setWidth(2 * depth);
        stroker.setJoinStyle(Qt::RoundJoin);
        return stroker.createStroke(outline).intersected(outline);
    };
    return within(inset + width).subtracted(within(inset));
}

void drawShell(QPainter& painter, const QPainterPath& outline, QPointF light, qreal reach,
               const QRectF& stripeArea) {
    painter.save();
    QRadialGradient top(light, reach, light + QPointF(8, -10));
    top.setColorAt(0, theme::shellLight);
    top.setColorAt(1, theme::shellDark);
    painter.setPen(Qt::NoPen);
    painter.setBrush(top);
    painter.drawPath(outline);

    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawPath(insetBand(outline, 0, 6));
    painter.setClipRect(stripeArea);
    painter.setBrush(QColor(theme::accent.red(), theme::accent.green(), theme::accent.blue(), 50));
    painter.drawPath(insetBand(outline, 5, 4));
    painter.setBrush(theme::accent);
    painter.drawPath(insetBand(outline, 6.2, 1.6));
    painter.setClipping(false);

    painter.setPen(QPen(theme::shellEdge, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);
    painter.restore();
}

namespace {

void drawDome(QPainter& painter, QPointF centre, qreal radius, const QColor& colour) {
    QRadialGradient dome(centre + QPointF(-radius * 0.35, -radius * 0.4), radius * 1.3);
    dome.setColorAt(0, colour.lighter(145));
    dome.setColorAt(0.6, colour);
    dome.setColorAt(1, colour.darker(170));
    painter.setPen(QPen(QColor(6, 7, 9), 1.2));
    painter.setBrush(dome);
    painter.drawEllipse(centre, radius, radius);
}

} // namespace

void drawRoundKey(QPainter& painter, QPointF centre, qreal radius, const QColor& colour,
                  const char* letter) {
    painter.save();
    drawDome(painter, centre, radius, colour);
    const QRectF box(centre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius));
    drawText(painter, box.translated(0, 0.5), Qt::AlignCenter, QString::fromLatin1(letter),
             theme::font(static_cast<int>(radius * 1.25), QFont::Bold), theme::inkOn(colour));
    painter.restore();
}

void drawDarkKey(QPainter& painter, QPointF centre, qreal radius) {
    painter.save();
    drawDome(painter, centre, radius, theme::keyFace);
    painter.restore();
}

} // namespace vantrel::art
