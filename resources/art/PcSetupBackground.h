#pragma once

#include <QImage>

namespace vantrel::art {

// Picture 221: the PC Setup page with its label boxes, gauge socket, help area and the five
// picture buttons pressed.
QImage pcSetupBackground();

} // namespace vantrel::art
