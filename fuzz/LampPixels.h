#pragma once

#include "skin/PageSurface.h"
#include "skin/SkinImage.h"
#include "x360setup/ButtonDragDrop.h"

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace vantrel::fuzz {

// The pixels each sensitivity and firing-step lamp changes on the XBox 360 page, as they look
// lit and unlit. Learnt once by drawing the page with no lamp lit and then with each in turn.
class LampPixels {
public:
    // Draws the page with that sensitivity and firing speed byte and returns the canvas.
    using DrawWith = std::function<SkinImage(std::int8_t sensitivity, std::int8_t firingSpeed)>;

    explicit LampPixels(const DrawWith& draw);

    // Whether the canvas shows exactly the lamp of level and the lamp of step lit (none for
    // nullopt and NO_FIRING_STEP). A lamp under an icon is not looked at.
    bool showsOnly(const SkinImage& canvas, std::optional<int> level, int step,
                   const IconRects& icons) const;

private:
    struct Lamp {
        PixelRect box;
        std::vector<PixelPoint> points;
        std::vector<std::uint32_t> lit;
        std::vector<std::uint32_t> unlit;
    };

    static Lamp difference(const SkinImage& unlit, const SkinImage& lit);
    static bool overlaps(const PixelRect& a, const PixelRect& b);
    static bool shows(const SkinImage& canvas, const Lamp& lamp, bool lit, const IconRects& icons);

    std::array<Lamp, SENSITIVITY_LEVELS> levels_;
    std::array<Lamp, FIRING_STEPS> steps_;
};

} // namespace vantrel::fuzz
