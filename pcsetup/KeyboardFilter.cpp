#include "pcsetup/KeyboardFilter.h"

#include "pcsetup/HostKeyTranslation.h"

#include <QApplicationStateChangeEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

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

KeyboardFilter::KeyboardFilter(KeyCapture& capture, const QWidget* scope, QObject* parent)
    : QObject(parent), capture_(capture), scope_(scope) {
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
    const bool keyEvent = event->type() == QEvent::ShortcutOverride ||
                          event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (keyEvent && !inScope(watched)) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (event->type() == QEvent::KeyPress && !key.isAutoRepeat()) {
            notePress(key, codeOf(key));
        } else if (event->type() == QEvent::KeyRelease) {
            onKeyRelease(key);
        }
        return QObject::eventFilter(watched, event);
    }
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
bool KeyboardFilter::onShortcutOverride(const QKeyEvent& event) {
    return event.isAutoRepeat() || capture_.consumesPress(reportedKeyCode(codeOf(event)));
}

bool KeyboardFilter::inScope(const QObject* watched) const {
    if (!scope_) {
        return true;
    }
    const QWidget* window = scope_->window();
    if (const auto* widget = qobject_cast<const QWidget*>(watched)) {
        return widget->window() == window;
    }
    if (const auto* hostWindow = qobject_cast<const QWindow*>(watched)) {
        return hostWindow == window->windowHandle();
    }
    return false;
}

KeyCode KeyboardFilter::codeOf(const QKeyEvent& event) {
    return hostKeyCode(event, layout_.symbolsFor(event));
}

void KeyboardFilter::notePress(const QKeyEvent& event, KeyCode code) {
    heldKeys_.press(code);
    if (event.nativeScanCode() != 0) {
        pressedByScanCode_[event.nativeScanCode()] = code;
    }
}

bool KeyboardFilter::onKeyPress(const QKeyEvent& event) {
    if (event.isAutoRepeat()) {
        return true;
    }
    const KeyCode code = codeOf(event);
    notePress(event, code);
    return capture_.onKeyPress(reportedKeyCode(code), heldKeys_) == KeyPressAnswer::Consumed;
}

void KeyboardFilter::onKeyRelease(const QKeyEvent& event) {
    // An auto-repeat comes as a release and a press while the key stays down.
    if (event.isAutoRepeat()) {
        return;
    }
    // The release may report another symbol than the press did (a keypad key once Num Lock or
    // Shift changed meanwhile); the key that goes up is the one that went down.
    if (const auto pressed = pressedByScanCode_.find(event.nativeScanCode());
        event.nativeScanCode() != 0 && pressed != pressedByScanCode_.end()) {
        heldKeys_.release(pressed->second);
        pressedByScanCode_.erase(pressed);
        return;
    }
    heldKeys_.release(codeOf(event));
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
