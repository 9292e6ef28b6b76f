#pragma once

#include "resources/templates/DialogTemplate.h"

#include <optional>

namespace vantrel {

struct PixelPoint {
    int x = 0, y = 0;
};

// What a page asks of the window that shows it. Called on the user-interface thread.
class PageSurface {
public:
    virtual ~PageSurface() = default;

    // Asks for a part of the page to be drawn again with the next paint.
    virtual void repaintArea(const PixelRect& rect) = 0;
    // Draws a part of the page again before returning.
    virtual void repaintAreaNow(const PixelRect& rect) = 0;
    virtual void repaintPage() = 0;

    // Where the pointer is now, in page pixels.
    virtual PixelPoint pointerPosition() const = 0;
};

} // namespace vantrel
