#pragma once

#include "resources/templates/DialogTemplate.h"

#include <QEvent>
#include <QPoint>
#include <QWidget>

#include <vector>

namespace vantrel::soak {

// Mouse input as the host delivers it to a page, in the page's pixels.
void press(QWidget& page, QPoint at);
void release(QWidget& page, QPoint at);
void move(QWidget& page, QPoint at, Qt::MouseButtons held = Qt::NoButton);
void click(QWidget& page, QPoint at);
// Press, moves with the button held, release.
void drag(QWidget& page, QPoint from, QPoint to);

QPoint centre(const PixelRect& rect);

// A key of a US keyboard as the X server reports it.
struct HostKey {
    quint32 keysym;
    quint32 scanCode;
    Qt::Key qtKey;
    Qt::KeyboardModifier modifier;
    quint32 modifierMask;
};

inline constexpr HostKey controlLeft{0xffe3, 37, Qt::Key_Control, Qt::ControlModifier, 0x4};
inline constexpr int LETTER_COUNT = 26;
// The letter key A + index.
HostKey letterKey(int index);

// Key presses and releases, each carrying the modifiers of the keys already down, delivered
// through the application as the host's would be.
class Keyboard {
public:
    explicit Keyboard(QWidget& target) : target_(target) {}
    ~Keyboard();
    Keyboard(const Keyboard&) = delete;
    Keyboard& operator=(const Keyboard&) = delete;

    void down(const HostKey& key);
    void up(const HostKey& key);
    void tap(const HostKey& key);

private:
    void send(QEvent::Type type, const HostKey& key);

    QWidget& target_;
    std::vector<HostKey> down_;
};

} // namespace vantrel::soak
