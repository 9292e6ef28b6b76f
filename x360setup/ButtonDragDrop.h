#pragma once

#include "resources/templates/DialogTemplate.h"
#include "x360setup/X360Settings.h"

#include <array>
#include <functional>

namespace vantrel {

using KeyRects = std::array<PixelRect, X360_KEY_COUNT>;
using IconRects = std::array<PixelRect, X360_BUTTON_COUNT>;

constexpr int NO_DRAG = -1;

// Dragging the controller buttons' icons onto the device's keys, and where the icons rest.
// An icon sits on its home square, on the square of the key that holds its code, or under the
// pointer while it is dragged. Runs on the user-interface thread inside the page's mouse
// handling; every area that must be drawn again goes to the repaint callback.
class ButtonDragDrop {
public:
    using Repaint = std::function<void(const PixelRect&)>;

    ButtonDragDrop(X360Settings& settings, Repaint repaint);

    // The squares, measured once at the page's initialisation; the icons start at home.
    void setGeometry(const KeyRects& keyRect, const IconRects& homeRect,
                     const PixelRect& hoverRepaintRect);

    // After CLEAR: every icon goes home.
    void placeAllHome();

    // After a load or DEFAULT: each icon onto the key that holds its code. An icon whose code
    // no key holds stays where it is; of two keys holding one code, the higher one wins.
    void placeOnKeys();

    // A press: takes up the icon of the lowest code under the point. False when none is there.
    bool takeUp(int x, int y);

    // A move with the button held: the icon follows, and the key under it lights.
    void drag(int x, int y);

    // The release: the icon drops onto the key under the point, or failing that onto the key
    // lit at the last move, sending that key's icon home; with neither it goes home itself.
    void drop(int x, int y);

    // Ends a drag without dropping, for a load that replaced the map under it: the icon goes
    // home, so that it never stays under the pointer on no key.
    void cancel();

    bool dragging() const { return dragButton_ != NO_DRAG; }
    int dragButton() const { return dragButton_; }
    int hoverKey() const { return hoverKey_; }
    const IconRects& iconRect() const { return iconRect_; }
    const KeyRects& keyRect() const { return keyRect_; }

private:
    void moveIcon(int code, int x, int y);
    void placeIcon(int code, const PixelRect& rect);
    void clearHighlight();

    X360Settings& settings_;
    Repaint repaint_;
    KeyRects keyRect_{};
    IconRects homeRect_{};
    IconRects iconRect_{};
    PixelRect hoverRepaintRect_{};
    int dragButton_ = NO_DRAG;
    int hoverKey_ = NO_DRAG;
};

// The first rectangle of the set that holds the point, or -1.
template <std::size_t N>
int firstHolding(const std::array<PixelRect, N>& rects, int x, int y) {
    for (std::size_t i = 0; i < N; ++i) {
        if (rects[i].contains(x, y)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace vantrel
