#pragma once

#include <QImage>

namespace vantrel::art {

// The raised faces: PC Setup picture button 0 to 4 at its own size, and XBox 360 Setup
// command 0 to 4 as a page overlay that is transparent outside the face.
QImage pcButtonFace(int button);
QImage commandFace(int command);

} // namespace vantrel::art
