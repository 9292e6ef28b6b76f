#pragma once

#include <QRectF>

class QPainter;

namespace vantrel::art {

// The Vantrel mark: a sharp V in the accent colour, for the title, the maker's line and the icon.
void drawEmblem(QPainter& painter, QRectF square);

} // namespace vantrel::art
