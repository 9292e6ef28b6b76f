#include "skin/QualityGauge.h"

namespace vantrel {

namespace {

// Fills the gauge's columns and the rows first to last.
void fillRows(PageCanvas& canvas, const PixelRect& gauge, int first, int last, Colour colour) {
    if (last < first) {
        return;
    }
    canvas.fill({gauge.left, first, gauge.width, last - first + 1}, colour);
}

} // namespace

void QualityGauge::measure(const PixelRect& bar, const PixelRect& number, const PixelRect& area) {
    bar_ = bar;
    number_.rect = number;
    area_ = area;
}

void QualityGauge::set(std::int32_t value, std::string_view text) {
    value_ = value;
    number_.text = text;
}

AccessibleItem QualityGauge::accessibleItem() const {
    AccessibleItem item(AccessibleRole::Gauge, std::string(qualityGaugeName), area_);
    item.description = number_.text;
    item.value = AccessibleValue{value_, QUALITY_GAUGE_BOTTOM, QUALITY_GAUGE_TOP};
    return item;
}

void QualityGauge::drawBar(PageCanvas& canvas) const {
    drawQualityGauge(canvas, bar_, value_);
}

void drawQualityGauge(PageCanvas& canvas, const PixelRect& gauge, int value) {
    const int top = gauge.top;
    const int bottom = gauge.bottom();
    const int h = bottom - top;
    const int split = top + (h * 100) / 150;
    fillRows(canvas, gauge, top, split - 1, gaugeGoodColour);
    fillRows(canvas, gauge, split, bottom - 1, gaugePoorColour);
    const int y = bottom - (h * (value + 50)) / 150;
    fillRows(canvas, gauge, y - 2, y - 1, gaugeMarkerColour);
}

} // namespace vantrel
