#include "Sockets.h"

#include "Theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace vantrel::art {

namespace {

QPointF centreOf(QRect lamp) {
    return QRectF(lamp).center();
}

QRectF segmentOf(QRect lamp) {
    return QRectF(lamp).adjusted(1.5, 1.5, -1.5, -1.5);
}

} // namespace

void drawSensitivitySocket(QPainter& painter, QRect lamp) {
    const QPointF centre = centreOf(lamp);
    painter.save();
    QRadialGradient rim(centre, 9.5);
    rim.setColorAt(0.7, QColor(4, 5, 6));
    rim.setColorAt(1, QColor(40, 46, 54));
    painter.setPen(QPen(QColor(70, 80, 92), 1));
    painter.setBrush(rim);
    painter.drawEllipse(centre, 9, 9);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(18, 40, 54));
    painter.drawEllipse(centre, 5.5, 5.5);
    painter.restore();
}

void drawLitSensitivityLamp(QPainter& painter, QRect lamp) {
    const QPointF centre = centreOf(lamp);
    painter.save();
    painter.setClipRect(lamp);
    QRadialGradient glow(centre, 10.5);
    glow.setColorAt(0, QColor(120, 220, 255, 255));
    glow.setColorAt(0.55, QColor(34, 184, 255, 255));
    glow.setColorAt(0.8, QColor(34, 184, 255, 90));
    glow.setColorAt(1, QColor(34, 184, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, 10.5, 10.5);
    QRadialGradient core(centre + QPointF(-1.5, -1.5), 5);
    core.setColorAt(0, QColor(255, 255, 255));
    core.setColorAt(1, QColor(160, 230, 255, 0));
    painter.setBrush(core);
    painter.drawEllipse(centre, 5, 5);
    painter.restore();
}

void drawFiringSocket(QPainter& painter, QRect lamp) {
    painter.save();
    painter.setPen(QPen(QColor(62, 72, 84), 1));
    painter.setBrush(QColor(14, 24, 32));
    painter.drawRoundedRect(segmentOf(lamp), 2.5, 2.5);
    painter.restore();
}

void drawLitFiringLamp(QPainter& painter, QRect lamp) {
    painter.save();
    painter.setClipRect(lamp);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(34, 184, 255, 70));
    painter.drawRoundedRect(QRectF(lamp), 3, 3);
    QLinearGradient face(0, lamp.top(), 0, lamp.bottom() + 1);
    face.setColorAt(0, QColor(190, 240, 255));
    face.setColorAt(0.5, QColor(60, 200, 255));
    face.setColorAt(1, QColor(20, 140, 220));
    painter.setPen(QPen(QColor(200, 245, 255), 1));
    painter.setBrush(face);
    painter.drawRoundedRect(segmentOf(lamp), 2.5, 2.5);
    painter.restore();
}

} // namespace vantrel::art
