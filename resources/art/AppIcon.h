#pragma once

#include <QImage>

namespace vantrel::art {

// The application icon at a side of 16 to 256 pixels, drawn for that size.
QImage appIcon(int side);

} // namespace vantrel::art
