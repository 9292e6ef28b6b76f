#pragma once

#include "ControllerDrawing.h"
#include "MouseDrawing.h"

#include <QPainterPath>
#include <QPolygonF>

// The XBox 360 Setup page's picture of the devices: where the mouse and the controller lie, and
// for each of the 14 device keys its outline and the callout from it to its key square.
namespace vantrel::art {

struct X360Key {
    QPainterPath shape;
    QPolygonF callout;
    bool pressed; // a press of the stick or the wheel, shown with an arrow
};

const MouseDrawing& x360Mouse();
const ControllerDrawing& x360Controller();

// Device key 0 to 13.
X360Key x360Key(int key);

} // namespace vantrel::art
