#include "x360setup/ButtonDragDrop.h"

namespace vantrel {

namespace {

// The icon is held 12 pixels right of and below its top-left corner.
constexpr int GRIP = 12;
// The area drawn again around an icon's old place, for the icon's edges and shadow.
constexpr int MOVE_MARGIN = 10;

PixelRect grown(const PixelRect& rect, int by) {
    return {rect.left - by, rect.top - by, rect.width + 2 * by, rect.height + 2 * by};
}

} // namespace

ButtonDragDrop::ButtonDragDrop(X360Settings& settings, Repaint repaint)
    : settings_(settings), repaint_(std::move(repaint)) {
}

void ButtonDragDrop::setGeometry(const KeyRects& keyRect, const IconRects& homeRect,
                                 const PixelRect& hoverRepaintRect) {
    keyRect_ = keyRect;
    homeRect_ = homeRect;
    hoverRepaintRect_ = hoverRepaintRect;
    iconRect_ = homeRect;
}

void ButtonDragDrop::placeAllHome() {
    iconRect_ = homeRect_;
}

void ButtonDragDrop::placeOnKeys() {
    for (int key = 0; key < X360_KEY_COUNT; ++key) {
        const std::uint8_t code = settings_.buttonMap[static_cast<std::size_t>(key)];
        if (isButtonCode(code)) {
            iconRect_[code] = keyRect_[static_cast<std::size_t>(key)];
        }
    }
}

bool ButtonDragDrop::takeUp(int x, int y) {
    const int code = firstHolding(iconRect_, x, y);
    if (code < 0) {
        return false;
    }
    dragButton_ = code;
    // The button is on no key until it is dropped on one again.
    settings_.removeButton(static_cast<std::uint8_t>(code));
    moveIcon(code, x, y);
    return true;
}

void ButtonDragDrop::drag(int x, int y) {
    if (!dragging()) {
        return;
    }
    moveIcon(dragButton_, x, y);
    const int key = firstHolding(keyRect_, x, y);
    if (key >= 0 && key != hoverKey_) {
        hoverKey_ = key;
        repaint_(hoverRepaintRect_);
    } else if (key < 0 && hoverKey_ != NO_DRAG) {
        clearHighlight();
    }
}

void ButtonDragDrop::drop(int x, int y) {
    if (!dragging()) {
        return;
    }
    const int dropped = dragButton_;
    int key = firstHolding(keyRect_, x, y);
    if (key < 0) {
        key = hoverKey_;
    }
    if (key >= 0) {
        const auto index = static_cast<std::size_t>(key);
        const std::uint8_t displaced = settings_.buttonMap[index];
        if (isButtonCode(displaced)) {
            // The displaced icon goes home, never to where the dropped one came from.
            repaint_(keyRect_[index]);
            placeIcon(displaced, homeRect_[displaced]);
        }
        settings_.assignButton(key, static_cast<std::uint8_t>(dropped));
        placeIcon(dropped, keyRect_[index]);
        clearHighlight();
    } else {
        placeIcon(dropped, homeRect_[static_cast<std::size_t>(dropped)]);
    }
    dragButton_ = NO_DRAG;
}

void ButtonDragDrop::cancel() {
    if (dragging()) {
        // The icon leaves the pointer for its home, whence the next placement takes it to the
        // key that holds its code, if any does.
        PixelRect& icon = iconRect_[static_cast<std::size_t>(dragButton_)];
        repaint_(grown(icon, MOVE_MARGIN));
        icon = homeRect_[static_cast<std::size_t>(dragButton_)];
        repaint_(icon);
    }
    dragButton_ = NO_DRAG;
    if (hoverKey_ != NO_DRAG) {
        clearHighlight();
    }
}

void ButtonDragDrop::moveIcon(int code, int x, int y) {
    PixelRect& rect = iconRect_[static_cast<std::size_t>(code)];
    repaint_(grown(rect, MOVE_MARGIN));
    rect.left = x - GRIP;
    rect.top = y - GRIP;
    repaint_(rect);
}

void ButtonDragDrop::placeIcon(int code, const PixelRect& rect) {
    PixelRect& icon = iconRect_[static_cast<std::size_t>(code)];
    repaint_(icon);
    icon = rect;
    repaint_(icon);
}

void ButtonDragDrop::clearHighlight() {
    hoverKey_ = NO_DRAG;
    repaint_(hoverRepaintRect_);
}

} // namespace vantrel
