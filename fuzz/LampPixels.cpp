#include "fuzz/LampPixels.h"

#include "fuzz/FuzzCheck.h"

#include <algorithm>

namespace vantrel::fuzz {

namespace {

// A speed byte and a sensitivity byte that light nothing.
constexpr std::int8_t unlitSensitivity = 0;
constexpr std::int8_t unlitSpeed = 0;

} // namespace

LampPixels::LampPixels(const DrawWith& draw) {
    const QImage unlit = draw(unlitSensitivity, unlitSpeed);
    for (int level = 0; level < SENSITIVITY_LEVELS; ++level) {
        const auto byte = static_cast<std::int8_t>(SENSITIVITY_LOW + level);
        levels_[static_cast<std::size_t>(level)] = difference(unlit, draw(byte, unlitSpeed));
    }
    for (int step = 0; step < FIRING_STEPS; ++step) {
        steps_[static_cast<std::size_t>(step)] =
            difference(unlit, draw(unlitSensitivity, firingSpeedFromStep(step)));
    }
}

LampPixels::Lamp LampPixels::difference(const QImage& unlit, const QImage& lit) {
    Lamp lamp;
    for (int y = 0; y < lit.height(); ++y) {
        for (int x = 0; x < lit.width(); ++x) {
            if (lit.pixel(x, y) != unlit.pixel(x, y)) {
                lamp.points.emplace_back(x, y);
                lamp.lit.push_back(lit.pixel(x, y));
                lamp.unlit.push_back(unlit.pixel(x, y));
                lamp.box |= QRect(x, y, 1, 1);
            }
        }
    }
    require(!lamp.points.empty(), "every lamp shows when lit");
    return lamp;
}

bool LampPixels::shows(const QImage& canvas, const Lamp& lamp, bool lit, const IconRects& icons) {
    if (std::any_of(icons.begin(), icons.end(), [&](const PixelRect& icon) {
            return QRect(icon.left, icon.top, icon.width, icon.height).intersects(lamp.box);
        })) {
        return true;
    }
    const std::vector<QRgb>& expected = lit ? lamp.lit : lamp.unlit;
    for (std::size_t i = 0; i < lamp.points.size(); ++i) {
        if (canvas.pixel(lamp.points[i]) != expected[i]) {
            return false;
        }
    }
    return true;
}

bool LampPixels::showsOnly(const QImage& canvas, std::optional<int> level, int step,
                           const IconRects& icons) const {
    for (int i = 0; i < SENSITIVITY_LEVELS; ++i) {
        if (!shows(canvas, levels_[static_cast<std::size_t>(i)], level == i, icons)) {
            return false;
        }
    }
    for (int i = 0; i < FIRING_STEPS; ++i) {
        if (!shows(canvas, steps_[static_cast<std::size_t>(i)], step == i, icons)) {
            return false;
        }
    }
    return true;
}

} // namespace vantrel::fuzz
