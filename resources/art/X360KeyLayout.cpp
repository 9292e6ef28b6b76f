#include "X360KeyLayout.h"

#include "PageGeometry.h"

#include <array>
#include <cmath>

namespace vantrel::art {

namespace {

using ControllerKey = ControllerDrawing::Key;
using MouseKey = MouseDrawing::Key;
using geometry::KEY_SQUARES;

QPointF squareLeft(int key, qreal y) {
    return {static_cast<qreal>(KEY_SQUARES[key].left()), y};
}

QPointF squareRight(int key) {
    const QRect square = KEY_SQUARES[key];
    return {static_cast<qreal>(square.left() + square.width()),
            square.top() + square.height() / 2.0};
}

QPointF squareTop(int key) {
    const QRect square = KEY_SQUARES[key];
    return {square.left() + square.width() / 2.0, static_cast<qreal>(square.top())};
}

QPointF at(ControllerKey key, qreal dx, qreal dy) {
    return x360Controller().keyCentre(key) + QPointF(dx, dy);
}

QPointF at(MouseKey key, qreal dx, qreal dy) {
    return x360Mouse().keyCentre(key) + QPointF(dx, dy);
}

// Each callout runs from its key to the nearest side of its square, no two crossing.
QPolygonF callout(int key) {
    switch (key) {
    case 0: {
        const QPointF from = at(ControllerKey::Stick, 0, 26);
        const qreal y = squareRight(0).y();
        return {from, {from.x(), y}, squareLeft(0, y)};
    }
    case 1:
    case 2: {
        const QPointF from =
            at(key == 1 ? ControllerKey::UpperTrigger : ControllerKey::LowerTrigger, -11, 0);
        return {from, {squareRight(key).x(), from.y()}};
    }
    case 3: {
        const QPointF from = at(ControllerKey::GroupLowerRight, 9, 0);
        return {from, squareLeft(3, from.y())};
    }
    case 4: {
        const QPointF from = at(ControllerKey::GroupUpperRight, 9, 0);
        return {from, {squareTop(4).x(), from.y()}, squareTop(4)};
    }
    case 5: {
        const QPointF from = at(ControllerKey::GroupLowerLeft, -9, 0);
        return {from, {214, from.y()}, {214, squareRight(5).y()}, squareRight(5)};
    }
    case 6: {
        const QPointF from = at(ControllerKey::GroupUpperLeft, 0, -9);
        return {from, {from.x(), squareRight(6).y()}, squareRight(6)};
    }
    case 7: {
        const QPointF from = at(MouseKey::LeftButton, -28, 0);
        return {from, {104, from.y()}, {104, squareRight(7).y()}, squareRight(7)};
    }
    case 8: {
        const QPointF from(at(MouseKey::RightButton, -28, 0).x(), squareRight(8).y());
        return {from, squareRight(8)};
    }
    case 9:
        return {at(MouseKey::ThumbX, 0, 10), squareTop(9)};
    case 10:
    case 11: {
        // Down and out at 45 degrees, then straight down onto the square.
        const QPointF from =
            at(key == 10 ? MouseKey::ThumbA : MouseKey::ThumbY, key == 10 ? 7 : -7, 7);
        const QPointF top = squareTop(key);
        return {from, {top.x(), from.y() + std::abs(top.x() - from.x())}, top};
    }
    case 12: {
        const QPointF from = at(MouseKey::ThumbB, 7, -7);
        const qreal y = KEY_SQUARES[12].top() + 22;
        return {from, {from.x() + from.y() - y, y}, squareLeft(12, y)};
    }
    default: {
        const QPointF from = at(MouseKey::Wheel, 0, -8);
        return {from, {from.x(), squareRight(13).y()}, squareRight(13)};
    }
    }
}

struct KeyOwner {
    bool onMouse;
    int key;
};

// Which drawn key each device key is.
constexpr std::array<KeyOwner, 14> OWNERS{{
    {false, static_cast<int>(ControllerKey::Stick)},
    {false, static_cast<int>(ControllerKey::UpperTrigger)},
    {false, static_cast<int>(ControllerKey::LowerTrigger)},
    {false, static_cast<int>(ControllerKey::GroupLowerRight)},
    {false, static_cast<int>(ControllerKey::GroupUpperRight)},
    {false, static_cast<int>(ControllerKey::GroupLowerLeft)},
    {false, static_cast<int>(ControllerKey::GroupUpperLeft)},
    {true, static_cast<int>(MouseKey::LeftButton)},
    {true, static_cast<int>(MouseKey::RightButton)},
    {true, static_cast<int>(MouseKey::ThumbX)},
    {true, static_cast<int>(MouseKey::ThumbA)},
    {true, static_cast<int>(MouseKey::ThumbY)},
    {true, static_cast<int>(MouseKey::ThumbB)},
    {true, static_cast<int>(MouseKey::Wheel)},
}};

} // namespace

const MouseDrawing& x360Mouse() {
    static const MouseDrawing mouse(QTransform(0.95, 0, 0, 0.95, 120, 186));
    return mouse;
}

const ControllerDrawing& x360Controller() {
    static const ControllerDrawing controller(QTransform(0.88, 0, 0, 0.88, 122, 450));
    return controller;
}

X360Key x360Key(int key) {
    const KeyOwner owner = OWNERS.at(key);
    const QPainterPath shape =
        owner.onMouse ? x360Mouse().keyShape(static_cast<MouseKey>(owner.key))
                      : x360Controller().keyShape(static_cast<ControllerKey>(owner.key));
    return {shape, callout(key), key == 0 || key == 13};
}

} // namespace vantrel::art
