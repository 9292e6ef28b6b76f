#include "ButtonIcons.h"

#include "Painting.h"
#include "Theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace vantrel::art {

namespace {

constexpr int SIDE = 28;
const QRectF FULL(0, 0, SIDE, SIDE);
const QPointF MIDDLE(SIDE / 2.0, SIDE / 2.0);

void drawLegend(QPainter& painter, const QString& legend, int pixels, const QColor& ink,
                QRectF area = FULL) {
    drawText(painter, area.translated(0, 0.5), Qt::AlignCenter, legend,
             theme::font(pixels, QFont::Black), ink);
}

QLinearGradient graphite(QRectF rect) {
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0, QColor(104, 116, 130));
    fill.setColorAt(1, QColor(40, 45, 52));
    return fill;
}

// A stick press: a round cap with a ring inside its rim.
void drawStick(QPainter& painter, const QString& legend) {
    painter.setPen(QPen(QColor(4, 5, 6), 1));
    painter.setBrush(graphite(FULL));
    painter.drawEllipse(MIDDLE, 13, 13);
    painter.setPen(QPen(theme::accent, 1.5));
    painter.setBrush(QColor(22, 26, 30));
    painter.drawEllipse(MIDDLE, 10, 10);
    drawLegend(painter, legend, 11, theme::text);
}

// A shoulder bumper: a wide bar with a raised front edge.
void drawBumper(QPainter& painter, const QString& legend) {
    const QRectF bar(1.5, 5.5, 25, 17);
    QPainterPath shape;
    shape.moveTo(bar.left(), bar.bottom());
    shape.lineTo(bar.left(), bar.top() + 6);
    shape.quadTo(bar.left(), bar.top(), bar.left() + 8, bar.top());
    shape.lineTo(bar.right() - 8, bar.top());
    shape.quadTo(bar.right(), bar.top(), bar.right(), bar.top() + 6);
    shape.lineTo(bar.right(), bar.bottom());
    shape.closeSubpath();
    painter.setPen(QPen(QColor(4, 5, 6), 1));
    painter.setBrush(graphite(bar));
    painter.drawPath(shape);
    painter.setPen(QPen(theme::accent, 1.5));
    painter.drawLine(QPointF(bar.left() + 3, bar.bottom() - 1),
                     QPointF(bar.right() - 3, bar.bottom() - 1));
    drawLegend(painter, legend, 12, theme::text, bar.adjusted(0, -1, 0, -1));
}

// A trigger: a tall key with a rounded top, as it stands at the front of the pad.
void drawTrigger(QPainter& painter, const QString& legend) {
    const QRectF key(4.5, 1.5, 19, 25);
    QPainterPath shape;
    shape.moveTo(key.left(), key.bottom());
    shape.lineTo(key.left(), key.top() + 9);
    shape.cubicTo(key.left(), key.top() - 2, key.right(), key.top() - 2, key.right(),
                  key.top() + 9);
    shape.lineTo(key.right(), key.bottom());
    shape.closeSubpath();
    painter.setPen(QPen(QColor(4, 5, 6), 1));
    painter.setBrush(graphite(key));
    painter.drawPath(shape);
    painter.setPen(QPen(theme::accent, 1.5));
    painter.drawLine(QPointF(key.left() + 2.5, key.bottom() - 1),
                     QPointF(key.right() - 2.5, key.bottom() - 1));
    drawLegend(painter, legend, 11, theme::text, key.adjusted(0, 3, 0, 0));
}

// A direction key with its arrow; rotation 0 points up.
void drawDirection(QPainter& painter, qreal rotation) {
    painter.setPen(QPen(QColor(4, 5, 6), 1));
    painter.setBrush(graphite(FULL));
    painter.drawRoundedRect(FULL.adjusted(1.5, 1.5, -1.5, -1.5), 6, 6);
    painter.save();
    painter.translate(MIDDLE);
    painter.rotate(rotation);
    QPainterPath arrow;
    arrow.moveTo(0, -9);
    arrow.lineTo(8, 0);
    arrow.lineTo(3, 0);
    arrow.lineTo(3, 8);
    arrow.lineTo(-3, 8);
    arrow.lineTo(-3, 0);
    arrow.lineTo(-8, 0);
    arrow.closeSubpath();
    painter.setPen(QPen(QColor(0, 0, 0, 120), 1));
    painter.setBrush(theme::text);
    painter.drawPath(arrow);
    painter.restore();
}

// A face button: a coloured dome with its letter.
void drawFaceButton(QPainter& painter, const QString& letter, const QColor& colour) {
    QRadialGradient dome(MIDDLE + QPointF(-4, -5), 17);
    dome.setColorAt(0, colour.lighter(150));
    dome.setColorAt(0.55, colour);
    dome.setColorAt(1, colour.darker(180));
    painter.setPen(QPen(QColor(4, 5, 6), 1));
    painter.setBrush(dome);
    painter.drawEllipse(MIDDLE, 13, 13);
    drawLegend(painter, letter, 16, theme::inkOn(colour));
}

} // namespace

QImage buttonIcon(int code) {
    QImage picture = blankPicture(QSize(SIDE, SIDE), Transparency::Opaque);
    picture.fill(theme::well);
    QPainter painter;
    beginPainting(painter, picture);
    switch (code) {
    case 0:
        drawStick(painter, QStringLiteral("LS"));
        break;
    case 1:
        drawBumper(painter, QStringLiteral("LB"));
        break;
    case 2:
        drawTrigger(painter, QStringLiteral("LT"));
        break;
    case 3:
        drawDirection(painter, -90);
        break;
    case 4:
        drawDirection(painter, 180);
        break;
    case 5:
        drawDirection(painter, 0);
        break;
    case 6:
        drawDirection(painter, 90);
        break;
    case 7:
        drawTrigger(painter, QStringLiteral("RT"));
        break;
    case 8:
        drawBumper(painter, QStringLiteral("RB"));
        break;
    case 9:
        drawFaceButton(painter, QStringLiteral("X"), theme::buttonBlue);
        break;
    case 10:
        drawFaceButton(painter, QStringLiteral("A"), theme::buttonGreen);
        break;
    case 11:
        drawFaceButton(painter, QStringLiteral("Y"), theme::buttonYellow);
        break;
    case 12:
        drawFaceButton(painter, QStringLiteral("B"), theme::buttonRed);
        break;
    default:
        drawStick(painter, QStringLiteral("RS"));
        break;
    }
    painter.end();
    return picture;
}

} // namespace vantrel::art
