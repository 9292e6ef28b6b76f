#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QTransform>

class QPainter;

namespace vantrel::art {

// The mouse seen from above with its front to the left: the right main button on top, the left
// one below, the scroll wheel between them, and the thumb diamond of X, A, Y and B on its back.
class MouseDrawing {
public:
    enum class Key { RightButton, LeftButton, Wheel, Start, ThumbB, ThumbY, ThumbA, ThumbX };

    // placement maps the drawing's own units (front tip at x 0, 300 long, centre line y 0)
    // onto the page.
    explicit MouseDrawing(QTransform placement);

    void draw(QPainter& painter) const;

    // The outline of a key and its centre, on the page.
    QPainterPath keyShape(Key key) const;
    QPointF keyCentre(Key key) const;

private:
    QTransform placement_;
};

} // namespace vantrel::art
