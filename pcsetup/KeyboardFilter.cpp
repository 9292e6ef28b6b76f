#include "pcsetup/KeyboardFilter.h"

#include "pcsetup/HostKeyTranslation.h"

#include <QApplicationStateChangeEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <array>

namespace vantrel {
namespace {

struct MouseButtonKey {
    Qt::MouseButton button;
    KeyCode code;
};

constexpr std::array<MouseButtonKey, 3> mouseButtonKeys{{
    {Qt::LeftButton, 0x01},
    {Qt::RightButton, 0x02},
    {Qt::MiddleButton, 0x04},
}};

} // namespace

KeyboardFilter::KeyboardFilter(KeyCapture& capture, QObject* parent)
    : QObject(parent), capture_(capture) {
}

KeyboardFilter::~KeyboardFilter() {
    remove();
}

void KeyboardFilter::install() {
    QCoreApplication::instance()->installEventFilter(this);
}

void KeyboardFilter::remove() {
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->removeEventFilter(this);
    }
}

// An event travels through the filter once for every object it is delivered to (the window, the
// focus widget, its parents) until one consumes it. Seeing a press that was passed on, or a mouse
// event, once more changes nothing.
bool KeyboardFilter::eventFilter(QObject* watched, QEvent* event) {
    bool consumed = false;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        consumed = onShortcutOverride(static_cast<const QKeyEvent&>(*event));
        break;
    case QEvent::KeyPress:
        consumed = onKeyPress(static_cast<const QKeyEvent&>(*event));
        break;
    case QEvent::KeyRelease:
        onKeyRelease(static_cast<const QKeyEvent&>(*event));
        consumed = true;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        onMouseButtons(static_cast<const QMouseEvent&>(*event));
        break;
    case QEvent::ApplicationStateChange:
        if (static_cast<const QApplicationStateChangeEvent&>(*event).applicationState() !=
            Qt::ApplicationActive) {
            heldKeys_.releaseAll();
            pressedByScanCode_.clear();
        }
        break;
    default:
        break;
    }
    if (consumed) {
        // Accepted, so that delivery stops here and an override keeps shortcuts from acting.
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// Comes before the press it belongs to: a press that will be consumed must not trigger a shortcut
// either, or the press itself never arrives.
bool KeyboardFilter::onShortcutOverride(const QKeyEvent& event) const {
    return event.isAutoRepeat() || capture_.consumesPress(reportedKeyCode(hostKeyCode(event)));
}

bool KeyboardFilter::onKeyPress(const QKeyEvent& event) {
    if (event.isAutoRepeat()) {
        return true;
    }
    const KeyCode code = hostKeyCode(event);
    heldKeys_.press(code);
    if (event.nativeScanCode() != 0) {
        pressedByScanCode_[event.nativeScanCode()] = code;
    }
    return capture_.onKeyPress(reportedKeyCode(code), heldKeys_) == KeyPressAnswer::Consumed;
}

void KeyboardFilter::onKeyRelease(const QKeyEvent& event) {
    // An auto-repeat comes as a release and a press while the key stays down.
    if (event.isAutoRepeat()) {
        return;
    }
    // The release may report another symbol than the press did (a keypad key once Num Lock or
    // Shift changed meanwhile); the key that goes up is the one that went down.
    KeyCode code = hostKeyCode(event);
    if (const auto pressed = pressedByScanCode_.find(event.nativeScanCode());
        event.nativeScanCode() != 0 && pressed != pressedByScanCode_.end()) {
        code = pressed->second;
        pressedByScanCode_.erase(pressed);
    }
    heldKeys_.release(code);
}

void KeyboardFilter::onMouseButtons(const QMouseEvent& event) {
    for (const MouseButtonKey& key : mouseButtonKeys) {
        if (event.buttons().testFlag(key.button)) {
            heldKeys_.press(key.code);
        } else {
            heldKeys_.release(key.code);
        }
    }
}

} // namespace vantrel
