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
// focus widget, its parents) until one consumes it. Seeing a press that was passed on, a release,
// or a mouse event, once more changes nothing.
bool KeyboardFilter::eventFilter(QObject* watched, QEvent* event) {
    bool consumed = false;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        consumed = onKeyEvent(watched, static_cast<const QKeyEvent&>(*event));
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        onMouseButtons(static_cast<const QMouseEvent&>(*event));
        break;
    case QEvent::ApplicationStateChange:
        if (static_cast<const QApplicationStateChangeEvent&>(*event).applicationState() !=
            Qt::ApplicationActive) {
            releaseAll();
        }
        break;
    case QEvent::WindowActivate:
        // A message box opening, or the focus coming back from one: a key that went down before
        // may have gone up where the program did not see it (in a box that its press closed).
        releaseAll();
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

// A shortcut override comes before the press it belongs to: a press that will be consumed must
// not trigger a shortcut either, or the press itself never arrives.
bool KeyboardFilter::onKeyEvent(const QObject* watched, const QKeyEvent& event) {
    const bool repeat = noteRepeat(event);
    if (!inScope(watched)) {
        // The X server goes on repeating a key whose release went astray into whichever window
        // has the focus: those repeats must not answer a message box as a new Enter or Esc would.
        if (repeat) {
            return isReleased(event);
        }
        if (event.type() == QEvent::KeyPress) {
            notePress(event, codeOf(event));
        } else if (event.type() == QEvent::KeyRelease) {
            onKeyRelease(event);
        }
        return false;
    }
    switch (event.type()) {
    case QEvent::ShortcutOverride:
        return repeat || capture_.consumesPress(reportedKeyCode(codeOf(event)));
    case QEvent::KeyPress:
        return repeat || onKeyPress(event);
    default:
        if (!repeat) {
            onKeyRelease(event);
        }
        return true;
    }
}

// An auto-repeat is flagged by Qt, or is a press at the very time of its key's release: the X
// server repeats a key as a release and a press at one time, and Qt flags the pair only when it
// sees both at once. Such a pair leaves the key as held as it was before.
bool KeyboardFilter::noteRepeat(const QKeyEvent& event) {
    if (event.isAutoRepeat()) {
        return true;
    }
    if (event.type() == QEvent::KeyRelease || !lastRelease_.matches(event)) {
        return false;
    }
    if (lastRelease_.heldAs) {
        notePress(event, *lastRelease_.heldAs);
    }
    return true;
}

// A key without a code or scan code can't be told, and counts as held.
bool KeyboardFilter::isReleased(const QKeyEvent& event) {
    if (event.nativeScanCode() != 0) {
        return !pressedByScanCode_.contains(event.nativeScanCode());
    }
    const KeyCode code = codeOf(event);
    return code != 0 && !heldKeys_.isHeld(code);
}

bool KeyboardFilter::Release::matches(const QKeyEvent& event) const {
    return scanCode != 0 && timestamp != 0 && event.nativeScanCode() == scanCode &&
           event.timestamp() == timestamp;
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

void KeyboardFilter::releaseAll() {
    heldKeys_.releaseAll();
    pressedByScanCode_.clear();
    lastRelease_.heldAs.reset();
}

bool KeyboardFilter::onKeyPress(const QKeyEvent& event) {
    const KeyCode code = codeOf(event);
    notePress(event, code);
    return capture_.onKeyPress(reportedKeyCode(code), heldKeys_) == KeyPressAnswer::Consumed;
}

void KeyboardFilter::onKeyRelease(const QKeyEvent& event) {
    if (lastRelease_.matches(event)) {
        return;
    }
    lastRelease_ = {event.nativeScanCode(), event.timestamp(), std::nullopt};
    // The release may report another symbol than the press did (a keypad key once Num Lock or
    // Shift changed meanwhile); the key that goes up is the one that went down.
    if (const auto pressed = pressedByScanCode_.find(event.nativeScanCode());
        event.nativeScanCode() != 0 && pressed != pressedByScanCode_.end()) {
        lastRelease_.heldAs = pressed->second;
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
