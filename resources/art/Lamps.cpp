#include "Lamps.h"

#include "PageGeometry.h"
#include "Painting.h"
#include "Sockets.h"

#include <QPainter>

namespace vantrel::art {

namespace {

template <typename Draw>
QImage overlay(QRect lamp, Draw draw) {
    QImage picture = blankPicture(geometry::PAGE_SIZE, Transparency::Alpha);
    QPainter painter;
    beginPainting(painter, picture);
    painter.setClipRect(lamp);
    draw(painter, lamp);
    painter.end();
    return picture;
}

} // namespace

QImage litSensitivityLamp(int level) {
    return overlay(geometry::SENSITIVITY_LAMPS.at(level), drawLitSensitivityLamp);
}

QImage litFiringLamp(int step) {
    return overlay(geometry::FIRING_LAMPS.at(step), drawLitFiringLamp);
}

} // namespace vantrel::art
