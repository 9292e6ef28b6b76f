#pragma once

#include "resources/templates/DialogTemplate.h"
#include "skin/SkinOverlay.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>

namespace vantrel {

inline const QColor gaugeGoodColour{0, 150, 0};
inline const QColor gaugePoorColour{255, 0, 0};
inline const QColor gaugeMarkerColour{255, 255, 255};
inline const QColor textColour{255, 255, 255};
inline const QColor captureTextColour{255, 0, 0};

inline QRect toQRect(const PixelRect& rect) {
    return {rect.left, rect.top, rect.width, rect.height};
}

// Draws the picture scaled to fill the rectangle, blended by its alpha. A null picture draws
// nothing.
void drawPicture(QPainter& canvas, const QImage& picture, const QRect& rect);

// Draws a full-page overlay into the page rectangle; at the standard 800 by 600 page only its
// visible box is drawn, unscaled.
void drawOverlay(QPainter& canvas, const SkinOverlay& overlay, const QRect& pageRect);

// A plain copy of the surface's top-left part onto the canvas: no scaling, no blending.
void copyBitmap(QPainter& canvas, const QImage& surface, int left, int top, int width, int height);

// The pad quality gauge: the upper two thirds good, the lower third poor, and a two-row marker
// at the reading, -50 at the bottom and 100 just above the top. Nothing clamps the reading.
void drawQualityGauge(QPainter& canvas, const PixelRect& gauge, int value);

// Copies the whole canvas onto the window at the page rectangle.
void presentCanvas(QPainter& window, const QImage& canvas, const QRect& pageRect);

} // namespace vantrel
