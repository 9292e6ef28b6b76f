#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>

class QPainter;

// Parts that the mouse and the controller drawings share.
namespace vantrel::art {

// A soft shadow under a device's outline, as if it lay on the page.
void drawShadow(QPainter& painter, const QPainterPath& outline);

// The band of an outline that lies between inset and inset + width inside it.
QPainterPath insetBand(const QPainterPath& outline, qreal inset, qreal width);

// A device's shell: a shaded top, darker side walls round its rim and a lit stripe along the
// rim where stripeArea lets it show.
void drawShell(QPainter& painter, const QPainterPath& outline, QPointF light, qreal reach,
               const QRectF& stripeArea);

// A round, domed key in a colour, with its letter.
void drawRoundKey(QPainter& painter, QPointF centre, qreal radius, const QColor& colour,
                  const char* letter);

// A plain graphite dome key.
void drawDarkKey(QPainter& painter, QPointF centre, qreal radius);

} // namespace vantrel::art
