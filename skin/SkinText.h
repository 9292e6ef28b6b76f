#pragma once

#include "resources/templates/DialogTemplate.h"
#include "skin/SkinDrawing.h"

#include <QColor>
#include <QString>

namespace vantrel {

// A text control of a page: it draws itself over the picture in the page font with nothing
// behind its text, centred on one line or left-aligned and wrapped.
struct SkinText {
    PixelRect rect;
    ControlAlign align = ControlAlign::Left;
    QString text;
    QColor colour = textColour;
};

} // namespace vantrel
