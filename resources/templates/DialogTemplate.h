#pragma once

#include <span>
#include <string_view>

namespace vantrel {

// The dialog layouts of the program, in dialog units. At the standard metrics one unit is two
// pixels each way, so the 400 by 300 unit pages cover 800 by 600 pixels.
constexpr int PIXELS_PER_DIALOG_UNIT = 2;

enum class ControlKind { Static, Edit, Button, Icon };
enum class ControlAlign { Left, Centre };
enum class ControlShown { Visible, Invisible };

struct TemplateControl {
    int id;
    ControlKind kind;
    int x, y, width, height; // dialog units
    std::string_view text;
    ControlAlign align = ControlAlign::Left;
    ControlShown shown = ControlShown::Visible;
};

struct DialogTemplate {
    int id;
    std::string_view caption;
    int width, height; // dialog units
    std::span<const TemplateControl> controls;
};

// A rectangle in page pixels: left, top, width and height.
struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;

    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
    constexpr bool contains(int x, int y) const {
        return x >= left && x < right() && y >= top && y < bottom();
    }
    constexpr bool empty() const { return width <= 0 || height <= 0; }
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

constexpr int ABOUT_DIALOG = 100;
constexpr int PC_SETUP_DIALOG = 102;
constexpr int X360_SETUP_DIALOG = 133;
constexpr int MAIN_DIALOG = 145;

// The layout with this id; every id above has one.
const DialogTemplate& dialogTemplate(int id);

// The control with this id in the layout, or null.
const TemplateControl* findControl(const DialogTemplate& layout, int controlId);

// A control's rectangle in pixels; an empty rectangle for a control the layout lacks.
PixelRect controlRect(const DialogTemplate& layout, int controlId);

} // namespace vantrel
