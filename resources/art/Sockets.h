#pragma once

#include <QRect>

class QPainter;

// The lamps of the key sensitivity and the firing speed: the dark socket that the background
// shows and the lit lamp that an overlay puts over it, both inside the lamp's rectangle.
namespace vantrel::art {

void drawSensitivitySocket(QPainter& painter, QRect lamp);
void drawLitSensitivityLamp(QPainter& painter, QRect lamp);

void drawFiringSocket(QPainter& painter, QRect lamp);
void drawLitFiringLamp(QPainter& painter, QRect lamp);

} // namespace vantrel::art
