#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QTransform>

class QPainter;

namespace vantrel::art {

// The one-handed controller seen from above with its front to the left: two triggers stacked on
// the front edge, the four-button group, the thumb stick, and the small Back and Guide keys.
class ControllerDrawing {
public:
    enum class Key {
        Stick,
        UpperTrigger,
        LowerTrigger,
        GroupLowerRight,
        GroupUpperRight,
        GroupLowerLeft,
        GroupUpperLeft,
        Back,
        Guide,
    };

    // placement maps the drawing's own units (front edge at x 0, 230 long, centre line y 0)
    // onto the page; a mirrored placement turns the front to the right.
    explicit ControllerDrawing(QTransform placement);

    void draw(QPainter& painter) const;

    QPainterPath keyShape(Key key) const;
    QPointF keyCentre(Key key) const;

private:
    QTransform placement_;
};

} // namespace vantrel::art
