#include "ControllerDrawing.h"

#include "DeviceParts.h"
#include "Theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace vantrel::art {

namespace {

QPainterPath body() {
    QPainterPath path;
    path.moveTo(22, -70);
    path.cubicTo(80, -82, 170, -80, 205, -56);
    path.cubicTo(236, -34, 238, 14, 216, 44);
    path.cubicTo(194, 72, 120, 84, 54, 82);
    path.cubicTo(18, 81, 4, 66, 4, 40);
    path.lineTo(4, -48);
    path.cubicTo(4, -62, 10, -68, 22, -70);
    path.closeSubpath();
    return path;
}

QPainterPath trigger(qreal top, qreal bottom) {
    QPainterPath path;
    path.moveTo(20, top);
    path.cubicTo(0, top - 1, -16, top + 3, -17, (top + bottom) / 2);
    path.cubicTo(-16, bottom - 3, 0, bottom + 1, 20, bottom);
    path.closeSubpath();
    return path;
}

constexpr qreal UPPER_TRIGGER_TOP = -19;
constexpr qreal UPPER_TRIGGER_BOTTOM = 23;
constexpr qreal LOWER_TRIGGER_TOP = 31;
constexpr qreal LOWER_TRIGGER_BOTTOM = 73;
constexpr QPointF GROUP_CENTRE{160, 8};
constexpr qreal GROUP_STEP = 13.5;
constexpr qreal GROUP_RADIUS = 10.5;
constexpr QPointF STICK_CENTRE{58, -38};
constexpr qreal STICK_BASE = 29;
constexpr qreal STICK_CAP = 19;
constexpr QPointF BACK_CENTRE{122, -52};
constexpr QPointF GUIDE_CENTRE{196, 42};

QPointF localCentre(ControllerDrawing::Key key) {
    using Key = ControllerDrawing::Key;
    switch (key) {
    case Key::Stick:
        return STICK_CENTRE;
    case Key::UpperTrigger:
        return {-4, (UPPER_TRIGGER_TOP + UPPER_TRIGGER_BOTTOM) / 2};
    case Key::LowerTrigger:
        return {-4, (LOWER_TRIGGER_TOP + LOWER_TRIGGER_BOTTOM) / 2};
    case Key::GroupLowerRight:
        return GROUP_CENTRE + QPointF(GROUP_STEP, GROUP_STEP);
    case Key::GroupUpperRight:
        return GROUP_CENTRE + QPointF(GROUP_STEP, -GROUP_STEP);
    case Key::GroupLowerLeft:
        return GROUP_CENTRE + QPointF(-GROUP_STEP, GROUP_STEP);
    case Key::GroupUpperLeft:
        return GROUP_CENTRE + QPointF(-GROUP_STEP, -GROUP_STEP);
    case Key::Back:
        return BACK_CENTRE;
    case Key::Guide:
        return GUIDE_CENTRE;
    }
    return {};
}

QPainterPath localShape(ControllerDrawing::Key key) {
    using Key = ControllerDrawing::Key;
    QPainterPath shape;
    switch (key) {
    case Key::Stick:
        shape.addEllipse(STICK_CENTRE, STICK_CAP, STICK_CAP);
        return shape;
    case Key::UpperTrigger:
        return trigger(UPPER_TRIGGER_TOP, UPPER_TRIGGER_BOTTOM);
    case Key::LowerTrigger:
        return trigger(LOWER_TRIGGER_TOP, LOWER_TRIGGER_BOTTOM);
    case Key::Back:
        shape.addRoundedRect(QRectF(BACK_CENTRE - QPointF(10, 4.5), QSizeF(20, 9)), 4.5, 4.5);
        return shape;
    case Key::Guide:
        shape.addEllipse(GUIDE_CENTRE, 8, 8);
        return shape;
    default:
        shape.addEllipse(localCentre(key), GROUP_RADIUS, GROUP_RADIUS);
        return shape;
    }
}

void drawTriggers(QPainter& painter) {
    for (const auto key :
         {ControllerDrawing::Key::UpperTrigger, ControllerDrawing::Key::LowerTrigger}) {
        const QPainterPath shape = localShape(key);
        QLinearGradient face(-17, 0, 10, 0);
        face.setColorAt(0, theme::keyFace.lighter(150));
        face.setColorAt(1, theme::keyFaceDark);
        painter.setPen(QPen(QColor(8, 9, 11), 1.4));
        painter.setBrush(face);
        painter.drawPath(shape);
        // Grip ridges across the trigger's face.
        const QPointF centre = localCentre(key);
        painter.setPen(QPen(QColor(0, 0, 0, 120), 1.2));
        for (const qreal dy : {-10.0, -5.0, 0.0, 5.0, 10.0}) {
            painter.drawLine(centre + QPointF(-9, dy), centre + QPointF(-2, dy));
        }
    }
}

void drawGroup(QPainter& painter) {
    const qreal reach = GROUP_STEP + GROUP_RADIUS + 5;
    painter.setPen(QPen(QColor(8, 9, 11), 1.4));
    painter.setBrush(QColor(16, 18, 21));
    painter.drawRoundedRect(
        QRectF(GROUP_CENTRE - QPointF(reach, reach), QSizeF(2 * reach, 2 * reach)), 12, 12);
    using Key = ControllerDrawing::Key;
    for (const auto key :
         {Key::GroupUpperLeft, Key::GroupUpperRight, Key::GroupLowerLeft, Key::GroupLowerRight}) {
        drawDarkKey(painter, localCentre(key), GROUP_RADIUS);
    }
}

void drawStick(QPainter& painter) {
    QRadialGradient well(STICK_CENTRE, STICK_BASE);
    well.setColorAt(0, QColor(4, 5, 6));
    well.setColorAt(0.8, QColor(14, 16, 19));
    well.setColorAt(1, QColor(34, 38, 44));
    painter.setPen(QPen(QColor(8, 9, 11), 1.4));
    painter.setBrush(well);
    painter.drawEllipse(STICK_CENTRE, STICK_BASE, STICK_BASE);

    QRadialGradient cap(STICK_CENTRE + QPointF(6, 7), STICK_CAP * 1.2);
    cap.setColorAt(0, QColor(30, 34, 39));
    cap.setColorAt(0.75, QColor(62, 70, 80));
    cap.setColorAt(1, QColor(96, 106, 118));
    painter.setPen(QPen(QColor(6, 7, 8), 1.2));
    painter.setBrush(cap);
    painter.drawEllipse(STICK_CENTRE, STICK_CAP, STICK_CAP);
    painter.setPen(QPen(QColor(0, 0, 0, 110), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(STICK_CENTRE, STICK_CAP - 5, STICK_CAP - 5);
    painter.setPen(QPen(theme::accent, 1.2));
    painter.drawEllipse(STICK_CENTRE, STICK_BASE - 3, STICK_BASE - 3);
}

void drawSmallKeys(QPainter& painter) {
    using Key = ControllerDrawing::Key;
    for (const auto key : {Key::Back, Key::Guide}) {
        QLinearGradient face(0, localCentre(key).y() - 8, 0, localCentre(key).y() + 8);
        face.setColorAt(0, theme::keyFace.lighter(130));
        face.setColorAt(1, theme::keyFaceDark);
        painter.setPen(QPen(QColor(8, 9, 11), 1));
        painter.setBrush(face);
        painter.drawPath(localShape(key));
    }
}

} // namespace

ControllerDrawing::ControllerDrawing(QTransform placement) : placement_(placement) {
}

void ControllerDrawing::draw(QPainter& painter) const {
    QPainterPath outline = body();
    outline.addPath(trigger(UPPER_TRIGGER_TOP, UPPER_TRIGGER_BOTTOM));
    outline.addPath(trigger(LOWER_TRIGGER_TOP, LOWER_TRIGGER_BOTTOM));
    drawShadow(painter, placement_.map(outline.simplified()));
    painter.save();
    painter.setTransform(placement_, true);
    drawTriggers(painter);
    drawShell(painter, body(), QPointF(110, -30), 160, QRectF(150, -100, 200, 200));
    drawGroup(painter);
    drawStick(painter);
    drawSmallKeys(painter);
    painter.restore();
}

QPainterPath ControllerDrawing::keyShape(Key key) const {
    return placement_.map(localShape(key));
}

QPointF ControllerDrawing::keyCentre(Key key) const {
    return placement_.map(localCentre(key));
}

} // namespace vantrel::art
