#include "X360Background.h"

#include "PageChrome.h"
#include "PageGeometry.h"
#include "Painting.h"
#include "QualitySocket.h"
#include "Sockets.h"
#include "Theme.h"
#include "X360KeyLayout.h"

#include <QPainter>
#include <QPainterPath>

namespace vantrel::art {

namespace {

using namespace geometry;

constexpr int PLATE_TOP = 68;
constexpr int PLATE_HEIGHT = 188;

void drawHeading(QPainter& painter, QRectF area, const QString& heading, const QString& unit) {
    drawText(painter, QRectF(area.left(), area.top(), area.width(), 16), Qt::AlignCenter, heading,
             theme::font(11, QFont::Bold), theme::caption);
    if (!unit.isEmpty()) {
        drawText(painter, QRectF(area.left(), area.top() + 16, area.width(), 14), Qt::AlignCenter,
                 unit, theme::font(10), theme::textDim);
    }
}

void drawSensitivityPanel(QPainter& painter) {
    const QRect plate(496, PLATE_TOP, 98, PLATE_HEIGHT);
    drawPanel(painter, plate, 6);
    drawHeading(painter, QRectF(plate.left(), plate.top() + 6, plate.width(), 30),
                QStringLiteral("Key Sensitivity"), QString());
    // A dim rail joins the three lamps into one scale.
    const QPointF high = QRectF(SENSITIVITY_LAMPS[2]).center();
    const QPointF low = QRectF(SENSITIVITY_LAMPS[0]).center();
    painter.save();
    painter.setPen(QPen(theme::panelEdge, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(high, low);
    painter.restore();
    for (std::size_t level = 0; level < SENSITIVITY_LAMPS.size(); ++level) {
        const QRect lamp = SENSITIVITY_LAMPS[level];
        drawSensitivitySocket(painter, lamp);
        drawText(painter, QRectF(lamp.right() + 8, lamp.top(), 50, lamp.height()),
                 Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(SENSITIVITY_NAMES[level]),
                 theme::font(12, QFont::Bold), theme::text);
    }
}

void drawFiringPanel(QPainter& painter) {
    const QRect plate(598, PLATE_TOP, 98, PLATE_HEIGHT);
    drawPanel(painter, plate, 6);
    drawHeading(painter, QRectF(plate.left(), plate.top() + 6, plate.width(), 30),
                QStringLiteral("Firing Speed"), QStringLiteral("times/Sec"));
    for (std::size_t step = 0; step < FIRING_LAMPS.size(); ++step) {
        const QRect lamp = FIRING_LAMPS[step];
        drawFiringSocket(painter, lamp);
        drawText(painter, QRectF(lamp.right() + 7, lamp.top(), 30, lamp.height()),
                 Qt::AlignLeft | Qt::AlignVCenter, QString::number(step + 2),
                 theme::font(11, QFont::Bold), step == 8 ? theme::text : theme::caption);
    }
}

// Faint shapes behind the home squares group them as on a game pad: shoulder rows, the
// direction cross and the face-button ring.
void drawButtonGroups(QPainter& painter) {
    const QColor shade(255, 255, 255, 9);
    painter.save();
    painter.setPen(QPen(QColor(255, 255, 255, 16), 1));
    painter.setBrush(shade);
    painter.drawRoundedRect(QRectF(500, 314, 120, 42), 8, 8);
    painter.drawRoundedRect(QRectF(642, 314, 118, 42), 8, 8);
    const QPointF cross = QRectF(HOME_SQUARES[5].united(HOME_SQUARES[4])).center();
    QPainterPath arms;
    arms.addRoundedRect(QRectF(cross.x() - 19, cross.y() - 49, 38, 98), 7, 7);
    arms.addRoundedRect(QRectF(cross.x() - 59, cross.y() - 19, 118, 38), 7, 7);
    painter.drawPath(arms.simplified());
    const QPointF ring = QRectF(HOME_SQUARES[12].united(HOME_SQUARES[9])).center();
    painter.drawEllipse(ring, 58, 52);
    painter.restore();
}

void drawButtonPanel(QPainter& painter) {
    const QRect plate(494, 288, 298, 174);
    drawPanel(painter, plate, 6);
    drawText(painter, QRectF(plate.left(), plate.top() + 6, plate.width(), 16), Qt::AlignCenter,
             QStringLiteral("XBox 360 Buttons"), theme::font(11, QFont::Bold), theme::caption);
    drawButtonGroups(painter);
    for (const QRect& home : HOME_SQUARES) {
        drawIconWell(painter, home);
    }
}

void drawHelpArea(QPainter& painter) {
    drawPanel(painter, QRectF(X360_HELP).adjusted(-6, -4, 6, 1), 5);
    painter.fillRect(X360_HELP, theme::well);
}

void drawDevices(QPainter& painter) {
    x360Mouse().draw(painter);
    x360Controller().draw(painter);
    for (int key = 0; key < static_cast<int>(KEY_SQUARES.size()); ++key) {
        drawCallout(painter, x360Key(key).callout, theme::accent, 1.2);
    }
    for (const QRect& square : KEY_SQUARES) {
        drawKeySquare(painter, square);
    }
}

} // namespace

QImage x360Background() {
    QImage picture = blankPicture(PAGE_SIZE, Transparency::Opaque);
    QPainter painter;
    beginPainting(painter, picture);
    drawPageChrome(painter, Page::X360Setup);
    drawDevices(painter);
    drawSensitivityPanel(painter);
    drawFiringPanel(painter);
    // The third plate of the row holds the gauge frame that the page repaints with each reading.
    drawQualitySocket(painter,
                      {QRect(700, PLATE_TOP, 92, PLATE_HEIGHT), X360_GAUGE, X360_QUALITY_NUMBER});
    drawButtonPanel(painter);
    drawHelpArea(painter);
    for (const auto& command : COMMANDS) {
        const QString caption = QString::fromLatin1(command.caption);
        drawButtonFace(painter, command.face, caption, FaceLook::Pressed, faceRole(caption), 13);
    }
    painter.end();
    return picture;
}

} // namespace vantrel::art
