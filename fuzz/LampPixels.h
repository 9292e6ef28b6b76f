#pragma once

#include "x360setup/ButtonDragDrop.h"

#include <QImage>

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
    using DrawWith = std::function<QImage(std::int8_t sensitivity, std::int8_t firingSpeed)>;

    explicit LampPixels(const DrawWith& draw);

    // Whether the canvas shows exactly the lamp of level and the lamp of step lit (none for
    // nullopt and NO_FIRING_STEP). A lamp under an icon is not looked at.
    bool showsOnly(const QImage& canvas, std::optional<int> level, int step,
                   const IconRects& icons) const;

private:
    struct Lamp {
        QRect box;
        std::vector<QPoint> points;
        std::vector<QRgb> lit;
        std::vector<QRgb> unlit;
    };

    static Lamp difference(const QImage& unlit, const QImage& lit);
    static bool shows(const QImage& canvas, const Lamp& lamp, bool lit, const IconRects& icons);

    std::array<Lamp, SENSITIVITY_LEVELS> levels_;
    std::array<Lamp, FIRING_STEPS> steps_;
};

} // namespace vantrel::fuzz
