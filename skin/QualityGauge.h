#pragma once

#include "skin/AccessibleItem.h"
#include "skin/PageCanvas.h"
#include "skin/SkinText.h"

#include <cstdint>
#include <string_view>

namespace vantrel {

inline constexpr std::string_view qualityGaugeName = "Mouse Pad Quality";
// The readings the gauge spans, bottom to top.
inline constexpr std::int32_t QUALITY_GAUGE_BOTTOM = -50;
inline constexpr std::int32_t QUALITY_GAUGE_TOP = 100;

// The pad quality a page shows: the gauge, the number beside it, and the area the monitor has
// drawn again with each new reading.
class QualityGauge {
public:
    void measure(const PixelRect& bar, const PixelRect& number, const PixelRect& area);

    std::int32_t value() const { return value_; }
    const std::string& text() const { return number_.text; }
    const PixelRect& area() const { return area_; }

    void set(std::int32_t value, std::string_view text);

    // The gauge with its number as one reading on its scale.
    AccessibleItem accessibleItem() const;

    void drawBar(PageCanvas& canvas) const;
    void drawNumber(PageCanvas& canvas) const { number_.draw(canvas); }

private:
    PixelRect bar_, area_;
    SkinText number_{{}, ControlAlign::Centre, {}, textColour};
    std::int32_t value_ = 0;
};

// The gauge: the upper two thirds good, the lower third poor, and a two-row marker at the
// reading, -50 at the bottom and 100 just above the top. Nothing clamps the reading.
void drawQualityGauge(PageCanvas& canvas, const PixelRect& gauge, int value);

} // namespace vantrel
