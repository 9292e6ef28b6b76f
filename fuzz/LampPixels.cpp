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
    const SkinImage unlit = draw(unlitSensitivity, unlitSpeed);
    for (int level = 0; level < SENSITIVITY_LEVELS; ++level) {
        const auto byte = static_cast<std::int8_t>(SENSITIVITY_LOW + level);
        levels_[static_cast<std::size_t>(level)] = difference(unlit, draw(byte, unlitSpeed));
    }
    for (int step = 0; step < FIRING_STEPS; ++step) {
        steps_[static_cast<std::size_t>(step)] =
            difference(unlit, draw(unlitSensitivity, firingSpeedFromStep(step)));
    }
}

LampPixels::Lamp LampPixels::difference(const SkinImage& unlit, const SkinImage& lit) {
    Lamp lamp;
    int left = lit.width;
    int top = lit.height;
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < lit.height; ++y) {
        for (int x = 0; x < lit.width; ++x) {
            if (lit.pixel(x, y) != unlit.pixel(x, y)) {
                lamp.points.push_back({x, y});
                lamp.lit.push_back(lit.pixel(x, y));
                lamp.unlit.push_back(unlit.pixel(x, y));
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = y;
            }
        }
    }
    require(!lamp.points.empty(), "every lamp shows when lit");
    lamp.box = {left, top, right - left + 1, bottom - top + 1};
    return lamp;
}

bool LampPixels::overlaps(const PixelRect& a, const PixelRect& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

bool LampPixels::shows(const SkinImage& canvas, const Lamp& lamp, bool lit,
                       const IconRects& icons) {
    if (std::any_of(icons.begin(), icons.end(),
                    [&](const PixelRect& icon) { return overlaps(icon, lamp.box); })) {
        return true;
    }
    const std::vector<std::uint32_t>& expected = lit ? lamp.lit : lamp.unlit;
    for (std::size_t i = 0; i < lamp.points.size(); ++i) {
        if (canvas.pixel(lamp.points[i].x, lamp.points[i].y) != expected[i]) {
            return false;
        }
    }
    return true;
}

bool LampPixels::showsOnly(const SkinImage& canvas, std::optional<int> level, int step,
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
