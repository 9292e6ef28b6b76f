#pragma once

#include <QRect>

class QPainter;

namespace vantrel::art {

struct QualitySocket {
    QRect plate;  // the raised plate behind it all, heading included
    QRect bar;    // where the program draws the gauge
    QRect number; // where the program writes the reading
};

// The socket of the mouse pad quality gauge: a recessed slot round the bar with a scale, the
// words Good and Poor beside the two parts, and the box for the number.
void drawQualitySocket(QPainter& painter, const QualitySocket& socket);

} // namespace vantrel::art
