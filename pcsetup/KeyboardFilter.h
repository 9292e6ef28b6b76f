#pragma once

#include "pcsetup/HeldKeys.h"
#include "pcsetup/KeyCapture.h"
#include "pcsetup/X11KeyboardLayout.h"

#include <QObject>

#include <map>
#include <optional>

class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace vantrel {

// The keyboard hook of the PC Setup page: an application-wide event filter on the user-interface
// thread that sees every key event before any window does and consumes it or passes it on by
// key capture's answer. Auto-repeats and releases are always consumed.
//
// It also keeps the held-key state that capture scans: keys from their presses and releases, the
// mouse buttons from every mouse press and release, and nothing held once the application loses
// the focus or one of its windows gains it, so that a key released where the program did not see
// it is not left held. The auto-repeats of a key that counts as released are consumed in every
// window: they continue a press that is over for the program.
class KeyboardFilter : public QObject {
public:
    // With a scope, only the keys of the scope's own window are filtered: those of other
    // windows (message boxes, file dialogs) reach them untouched, and only count as held.
    explicit KeyboardFilter(KeyCapture& capture, const QWidget* scope = nullptr,
                            QObject* parent = nullptr);
    ~KeyboardFilter() override;

    // Install on, and remove from, the running application.
    void install();
    void remove();

    const HeldKeys& heldKeys() const { return heldKeys_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The last key release, and the code its key was held under, if it was.
    struct Release {
        quint32 scanCode = 0;
        quint64 timestamp = 0;
        std::optional<KeyCode> heldAs;

        // Whether the event has this release's key and time (never for an event without them).
        bool matches(const QKeyEvent& event) const;
    };

    bool inScope(const QObject* watched) const;
    KeyCode codeOf(const QKeyEvent& event);
    bool noteRepeat(const QKeyEvent& event);
    bool isReleased(const QKeyEvent& event);
    void notePress(const QKeyEvent& event, KeyCode code);
    void releaseAll();
    bool onKeyEvent(const QObject* watched, const QKeyEvent& event);
    bool onKeyPress(const QKeyEvent& event);
    void onKeyRelease(const QKeyEvent& event);
    void onMouseButtons(const QMouseEvent& event);

    KeyCapture& capture_;
    const QWidget* scope_;
    X11KeyboardLayout layout_;
    HeldKeys heldKeys_;
    std::map<quint32, KeyCode> pressedByScanCode_;
    Release lastRelease_;
};

} // namespace vantrel
