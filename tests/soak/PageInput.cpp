#include "tests/soak/PageInput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <array>

namespace vantrel::soak {

namespace {

void sendMouse(QWidget& page, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), page.mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&page, &event);
}

// The X key codes of the letters A to Z on a US keyboard.
constexpr std::array<quint32, LETTER_COUNT> letterScanCodes = {38, 56, 54, 40, 26, 41, 42, 43, 31,
                                                               44, 45, 46, 58, 57, 32, 33, 24, 27,
                                                               39, 28, 30, 55, 25, 53, 29, 52};

} // namespace

void press(QWidget& page, QPoint at) {
    sendMouse(page, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}

void release(QWidget& page, QPoint at) {
    sendMouse(page, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

void move(QWidget& page, QPoint at, Qt::MouseButtons held) {
    sendMouse(page, QEvent::MouseMove, at, Qt::NoButton, held);
}

void click(QWidget& page, QPoint at) {
    press(page, at);
    release(page, at);
}

void drag(QWidget& page, QPoint from, QPoint to) {
    press(page, from);
    move(page, (from + to) / 2, Qt::LeftButton);
    move(page, to, Qt::LeftButton);
    release(page, to);
}

QPoint centre(const PixelRect& rect) {
    return {rect.left + rect.width / 2, rect.top + rect.height / 2};
}

HostKey letterKey(int index) {
    return {static_cast<quint32>(0x61 + index), letterScanCodes[static_cast<std::size_t>(index)],
            static_cast<Qt::Key>(Qt::Key_A + index), Qt::NoModifier, 0};
}

Keyboard::~Keyboard() {
    while (!down_.empty()) {
        up(down_.back());
    }
}

void Keyboard::send(QEvent::Type type, const HostKey& key) {
    Qt::KeyboardModifiers modifiers;
    quint32 state = 0;
    for (const HostKey& held : down_) {
        modifiers |= held.modifier;
        state |= held.modifierMask;
    }
    QKeyEvent event(type, key.qtKey, modifiers, key.scanCode, key.keysym, state);
    QApplication::sendEvent(&target_, &event);
}

void Keyboard::down(const HostKey& key) {
    send(QEvent::KeyPress, key);
    down_.push_back(key);
}

void Keyboard::up(const HostKey& key) {
    send(QEvent::KeyRelease, key);
    std::erase_if(down_, [&](const HostKey& held) { return held.keysym == key.keysym; });
}

void Keyboard::tap(const HostKey& key) {
    down(key);
    up(key);
}

} // namespace vantrel::soak
