#pragma once

#include <QRect>
#include <QSize>

#include <array>

// Where the pages measure their areas, in page pixels. The pictures put every box, socket and
// button face exactly there, for the program draws its texts, icons and gauges into them.
namespace vantrel::art::geometry {

inline constexpr QSize PAGE_SIZE{800, 600};

// A rectangle given by its edges, the right and bottom edge outside it.
constexpr QRect edges(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

// A rectangle given by its inclusive pixel bounds.
constexpr QRect inclusive(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left + 1, bottom - top + 1);
}

inline constexpr QRect PC_TAB = edges(0, 22, 194, 52);
inline constexpr QRect X360_TAB = edges(222, 22, 426, 52);

// Where a label's caption is printed: above its box, or beside it where boxes touch.
enum class CaptionPlace { Above, Beside };

struct Label {
    const char* caption;
    QRect box;
    CaptionPlace place;
};

// The eighteen PC Setup labels, in slot order.
inline constexpr std::array<Label, 18> PC_LABELS{{
    {"Dpad Down", {18, 224, 102, 28}, CaptionPlace::Above},
    {"Dpad Left", {18, 178, 102, 28}, CaptionPlace::Above},
    {"LT", {348, 488, 100, 26}, CaptionPlace::Beside},
    {"LB", {348, 442, 100, 26}, CaptionPlace::Beside},
    {"Guide", {18, 424, 100, 26}, CaptionPlace::Above},
    {"Left Joystick, Press", {348, 396, 102, 28}, CaptionPlace::Beside},
    {"Back", {18, 86, 102, 28}, CaptionPlace::Above},
    {"Left Joystick, Left", {348, 340, 102, 28}, CaptionPlace::Beside},
    {"Left Joystick, Right", {348, 368, 102, 28}, CaptionPlace::Beside},
    {"Left Joystick, Up", {348, 284, 102, 28}, CaptionPlace::Beside},
    {"Left Joystick, Down", {348, 312, 102, 28}, CaptionPlace::Beside},
    {"Dpad Right", {18, 274, 102, 28}, CaptionPlace::Above},
    {"Dpad UP", {18, 132, 102, 28}, CaptionPlace::Above},
    {"X", {674, 202, 102, 28}, CaptionPlace::Above},
    {"Y", {674, 256, 102, 28}, CaptionPlace::Above},
    {"B", {674, 92, 102, 28}, CaptionPlace::Above},
    {"A", {674, 146, 102, 28}, CaptionPlace::Above},
    {"Start", {446, 90, 102, 28}, CaptionPlace::Above},
}};

// Indices into PC_LABELS, named by what each label defines.
enum PcLabel {
    DpadDown,
    DpadLeft,
    TriggerLT,
    TriggerLB,
    Guide,
    StickPress,
    Back,
    StickLeft,
    StickRight,
    StickUp,
    StickDown,
    DpadRight,
    DpadUp,
    ThumbX,
    ThumbY,
    ThumbB,
    ThumbA,
    Start,
};

struct PictureButton {
    const char* caption;
    QRect rect;
};

// The PC Setup picture buttons in action order: SAVE, RESET, EXIT, Load Profile, Save As Profile.
inline constexpr std::array<PictureButton, 5> PC_BUTTONS{{
    {"SAVE", {510, 546, 82, 30}},
    {"RESET", {602, 546, 82, 30}},
    {"EXIT", {696, 546, 82, 30}},
    {"Load Profile", {10, 498, 124, 36}},
    {"Save As Profile", {144, 498, 124, 36}},
}};

inline constexpr QRect PC_QUALITY_BAR{284, 108, 18, 128};
inline constexpr QRect PC_QUALITY_AREA{282, 108, 82, 130};
inline constexpr QRect PC_QUALITY_NUMBER{316, 162, 46, 16};
inline constexpr QRect PC_HELP{172, 542, 328, 48};

// The XBox 360 Setup key squares of device keys 0 to 13.
inline constexpr std::array<QRect, 14> KEY_SQUARES{
    edges(340, 496, 370, 526), edges(64, 432, 94, 462),   edges(64, 484, 94, 514),
    edges(340, 454, 370, 484), edges(412, 456, 442, 486), edges(138, 340, 168, 370),
    edges(138, 296, 168, 326), edges(62, 254, 92, 284),   edges(62, 146, 92, 176),
    edges(316, 270, 346, 300), edges(378, 270, 408, 300), edges(252, 270, 282, 300),
    edges(378, 104, 408, 134), edges(62, 102, 92, 132),
};

// The home squares of button codes 0 to 13.
inline constexpr std::array<QRect, 14> HOME_SQUARES{
    edges(584, 320, 614, 350), edges(506, 320, 536, 350), edges(546, 320, 576, 350),
    edges(506, 388, 536, 418), edges(546, 418, 576, 448), edges(546, 360, 576, 390),
    edges(586, 388, 616, 418), edges(648, 320, 678, 350), edges(686, 320, 716, 350),
    edges(686, 418, 716, 448), edges(726, 388, 756, 418), edges(648, 388, 678, 418),
    edges(686, 360, 716, 390), edges(724, 320, 754, 350),
};

// Lit lamps, inclusive pixel bounds: sensitivity Low, Mid, High.
inline constexpr std::array<QRect, 3> SENSITIVITY_LAMPS{
    inclusive(508, 228, 528, 247),
    inclusive(508, 174, 528, 193),
    inclusive(508, 119, 528, 138),
};
inline constexpr std::array<const char*, 3> SENSITIVITY_NAMES{"Low", "Mid", "High"};

// Lit lamps of firing steps 0 (2 per second) to 8 (10 per second), each 20 by 14 inside the
// step's own area (602 to 621 across), so that repainting that area redraws all of the lamp.
constexpr QRect firingLamp(int top) {
    return inclusive(602, top, 621, top + 13);
}
inline constexpr std::array<QRect, 9> FIRING_LAMPS{
    firingLamp(237), firingLamp(222), firingLamp(207), firingLamp(192), firingLamp(177),
    firingLamp(162), firingLamp(147), firingLamp(132), firingLamp(117),
};

inline constexpr QRect X360_GAUGE = edges(710, 120, 728, 248);
inline constexpr QRect X360_QUALITY_NUMBER = edges(742, 174, 784, 198);
inline constexpr QRect X360_HELP = edges(198, 542, 578, 598);

struct Command {
    const char* caption;
    QRect face; // inclusive bounds of the raised face
};

// The five commands: Reset, Reload, Default, SAVE, EXIT.
inline constexpr std::array<Command, 5> COMMANDS{{
    {"Reset", inclusive(497, 486, 579, 514)},
    {"Reload", inclusive(588, 486, 670, 514)},
    {"Default", inclusive(679, 486, 760, 513)},
    {"SAVE", inclusive(602, 548, 684, 576)},
    {"EXIT", inclusive(692, 547, 774, 575)},
}};

// The part of the page that is repainted when the key highlight changes.
inline constexpr QRect KEY_HIGHLIGHT_AREA{0, 0, 640, 600};

} // namespace vantrel::art::geometry
