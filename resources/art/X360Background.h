#pragma once

#include <QImage>

namespace vantrel::art {

// Picture 192: the XBox 360 Setup page with the devices and their key squares, the lamp and
// gauge sockets, the panel of home squares, the help area and the five commands pressed.
QImage x360Background();

} // namespace vantrel::art
