#include "QualitySocket.h"

#include "Painting.h"
#include "Theme.h"

#include <QPainter>

namespace vantrel::art {

void drawQualitySocket(QPainter& painter, const QualitySocket& socket) {
    drawPanel(painter, socket.plate, 6);
    const QRectF headingArea(socket.plate.left(), socket.plate.top() + 4, socket.plate.width(),
                             socket.bar.top() - socket.plate.top() - 8);
    drawText(painter, headingArea, Qt::AlignCenter | Qt::TextWordWrap,
             QStringLiteral("Mouse Pad Quality"), theme::font(11, QFont::Bold), theme::caption);

    const QRect bar = socket.bar;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(bar.adjusted(-2, -2, 2, 2), QColor(4, 5, 6));
    painter.setPen(theme::wellEdge);
    painter.drawRect(bar.adjusted(-2, -2, 1, 1));
    painter.fillRect(bar, theme::well);

    // The scale: a tick every sixth of the height, the long fourth one where good turns to poor.
    for (int step = 0; step <= 6; ++step) {
        const int y = bar.top() + bar.height() * step / 6 - (step == 6 ? 1 : 0);
        const int length = step == 4 ? 7 : 4;
        painter.setPen(step == 4 ? theme::caption : theme::textDim);
        painter.drawLine(bar.right() + 4, y, bar.right() + 3 + length, y);
    }
    painter.restore();

    const int textLeft = bar.right() + 12;
    const QRectF good(textLeft, bar.top(), socket.plate.right() - textLeft, 14);
    const QRectF poor(textLeft, bar.bottom() - 13, socket.plate.right() - textLeft, 14);
    drawText(painter, good, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Good"),
             theme::font(12, QFont::Bold), QColor(70, 200, 80));
    drawText(painter, poor, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Poor"),
             theme::font(12, QFont::Bold), QColor(235, 80, 70));

    drawTextBox(painter, socket.number.adjusted(-3, -3, 3, 3));
}

} // namespace vantrel::art
