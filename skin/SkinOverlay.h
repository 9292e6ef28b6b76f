#pragma once

#include "resources/templates/DialogTemplate.h"
#include "skin/PageCanvas.h"
#include "skin/SkinImage.h"

namespace vantrel {

// A full-page picture that lights one small element, kept as the box of its visible pixels:
// the same pixels on screen for a fraction of the drawing time and memory.
struct SkinOverlay {
    SkinImage pixels;
    int left = 0, top = 0; // where the box lies on the full page, in page pixels
    int scale = 1;         // the picture's pixels for each page pixel, each way

    // Finds the box once; a picture with no visible pixel keeps nothing. A picture drawn at a
    // scale (1600 by 1200 for scale 2) keeps a box whose edges fall on page pixels.
    static SkinOverlay fromFullPage(const SkinImage& picture);
};

// Draws a full-page overlay into the page rectangle, scaled with the page when the page is not
// at the pictures' own 800 by 600.
void drawOverlay(PageCanvas& canvas, const SkinOverlay& overlay, const PixelRect& pageRect);

} // namespace vantrel
