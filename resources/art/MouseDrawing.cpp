#include "MouseDrawing.h"

#include "DeviceParts.h"
#include "Theme.h"

#include <QLinearGradient>
#include <QPainter>

namespace vantrel::art {

namespace {

QPainterPath shell() {
    QPainterPath path;
    path.moveTo(16, -60);
    path.cubicTo(50, -80, 150, -84, 212, -76);
    path.cubicTo(278, -68, 302, -30, 300, 2);
    path.cubicTo(298, 40, 272, 76, 206, 80);
    path.cubicTo(140, 84, 52, 80, 18, 62);
    path.cubicTo(-2, 50, -4, -46, 16, -60);
    path.closeSubpath();
    return path;
}

// The front part of the shell that the two main buttons cover; its rear edge bows backwards.
QPainterPath buttonZone() {
    QPainterPath zone;
    zone.moveTo(-20, -100);
    zone.lineTo(112, -100);
    zone.quadTo(136, 0, 112, 100);
    zone.lineTo(-20, 100);
    zone.closeSubpath();
    return zone;
}

QPainterPath halfPlane(bool upper) {
    QPainterPath half;
    half.addRect(upper ? QRectF(-20, -100, 340, 98) : QRectF(-20, 2, 340, 98));
    return half;
}

QPainterPath mainButton(bool right) {
    return shell().intersected(buttonZone()).intersected(halfPlane(right));
}

constexpr QRectF WHEEL_SLOT{28, -11, 58, 22};
constexpr QRectF WHEEL{36, -7, 42, 14};
constexpr QPointF DIAMOND_CENTRE{222, 0};
constexpr qreal DIAMOND_STEP = 26;
constexpr qreal THUMB_RADIUS = 10.5;
constexpr QRectF START_BUTTON{132, -50, 22, 9};

QPointF localCentre(MouseDrawing::Key key) {
    using Key = MouseDrawing::Key;
    switch (key) {
    case Key::RightButton:
        return {62, -40};
    case Key::LeftButton:
        return {62, 40};
    case Key::Wheel:
        return WHEEL.center();
    case Key::Start:
        return START_BUTTON.center();
    case Key::ThumbB:
        return DIAMOND_CENTRE + QPointF(0, -DIAMOND_STEP);
    case Key::ThumbY:
        return DIAMOND_CENTRE + QPointF(-DIAMOND_STEP, 0);
    case Key::ThumbA:
        return DIAMOND_CENTRE + QPointF(DIAMOND_STEP, 0);
    case Key::ThumbX:
        return DIAMOND_CENTRE + QPointF(0, DIAMOND_STEP);
    }
    return {};
}

QPainterPath localShape(MouseDrawing::Key key) {
    using Key = MouseDrawing::Key;
    QPainterPath shape;
    switch (key) {
    case Key::RightButton:
        return mainButton(true);
    case Key::LeftButton:
        return mainButton(false);
    case Key::Wheel:
        shape.addRoundedRect(WHEEL, 6, 6);
        return shape;
    case Key::Start:
        shape.addRoundedRect(START_BUTTON, 4.5, 4.5);
        return shape;
    default:
        shape.addEllipse(localCentre(key), THUMB_RADIUS, THUMB_RADIUS);
        return shape;
    }
}

void drawMainButtons(QPainter& painter) {
    for (const bool right : {true, false}) {
        QLinearGradient face(0, right ? -80 : 80, 0, 0);
        face.setColorAt(0, theme::keyFaceDark);
        face.setColorAt(1, theme::keyFace);
        painter.setPen(QPen(QColor(8, 9, 11), 1.5));
        painter.setBrush(face);
        painter.drawPath(mainButton(right));
    }
}

void drawWheel(QPainter& painter) {
    painter.setPen(QPen(QColor(6, 7, 8), 1));
    painter.setBrush(QColor(10, 11, 13));
    painter.drawRoundedRect(WHEEL_SLOT, 9, 9);
    QLinearGradient tyre(0, WHEEL.top(), 0, WHEEL.bottom());
    tyre.setColorAt(0, QColor(40, 44, 50));
    tyre.setColorAt(0.5, QColor(96, 106, 118));
    tyre.setColorAt(1, QColor(40, 44, 50));
    painter.setPen(Qt::NoPen);
    painter.setBrush(tyre);
    painter.drawRoundedRect(WHEEL, 6, 6);
    painter.setPen(QPen(QColor(20, 22, 26), 1));
    for (qreal x = WHEEL.left() + 5; x < WHEEL.right() - 3; x += 4) {
        painter.drawLine(QPointF(x, WHEEL.top() + 2), QPointF(x, WHEEL.bottom() - 2));
    }
    painter.setPen(QPen(theme::accent, 1));
    painter.drawLine(QPointF(WHEEL.left() + 3, 0), QPointF(WHEEL.right() - 3, 0));
}

void drawThumbDiamond(QPainter& painter) {
    QPainterPath plate;
    const qreal reach = DIAMOND_STEP + 19;
    plate.moveTo(DIAMOND_CENTRE + QPointF(0, -reach));
    plate.lineTo(DIAMOND_CENTRE + QPointF(reach, 0));
    plate.lineTo(DIAMOND_CENTRE + QPointF(0, reach));
    plate.lineTo(DIAMOND_CENTRE + QPointF(-reach, 0));
    plate.closeSubpath();
    painter.setPen(QPen(QColor(8, 9, 11), 1.5));
    painter.setBrush(QColor(16, 18, 21));
    painter.drawPath(plate);

    using Key = MouseDrawing::Key;
    drawRoundKey(painter, localCentre(Key::ThumbB), THUMB_RADIUS, theme::buttonRed, "B");
    drawRoundKey(painter, localCentre(Key::ThumbY), THUMB_RADIUS, theme::buttonYellow, "Y");
    drawRoundKey(painter, localCentre(Key::ThumbA), THUMB_RADIUS, theme::buttonGreen, "A");
    drawRoundKey(painter, localCentre(Key::ThumbX), THUMB_RADIUS, theme::buttonBlue, "X");
}

void drawStartButton(QPainter& painter) {
    QLinearGradient face(0, START_BUTTON.top(), 0, START_BUTTON.bottom());
    face.setColorAt(0, theme::keyFace.lighter(130));
    face.setColorAt(1, theme::keyFaceDark);
    painter.setPen(QPen(QColor(8, 9, 11), 1));
    painter.setBrush(face);
    painter.drawRoundedRect(START_BUTTON, 4.5, 4.5);
}

} // namespace

MouseDrawing::MouseDrawing(QTransform placement) : placement_(placement) {
}

void MouseDrawing::draw(QPainter& painter) const {
    drawShadow(painter, placement_.map(shell()));
    painter.save();
    painter.setTransform(placement_, true);
    drawShell(painter, shell(), QPointF(200, -20), 170, QRectF(150, -100, 200, 200));
    drawMainButtons(painter);
    drawWheel(painter);
    drawStartButton(painter);
    drawThumbDiamond(painter);
    painter.restore();
}

QPainterPath MouseDrawing::keyShape(Key key) const {
    return placement_.map(localShape(key));
}

QPointF MouseDrawing::keyCentre(Key key) const {
    return placement_.map(localCentre(key));
}

} // namespace vantrel::art
