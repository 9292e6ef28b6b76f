#pragma once

#include <QImage>
#include <QPoint>

namespace vantrel {

// A full-page picture that lights one small element, kept as the box of its visible pixels:
// the same pixels on screen for a fraction of the drawing time and memory.
struct SkinOverlay {
    QImage pixels;
    QPoint origin; // where the box lies on the full page

    // Finds the box once; a picture with no visible pixel keeps nothing.
    static SkinOverlay fromFullPage(const QImage& picture);
};

} // namespace vantrel
