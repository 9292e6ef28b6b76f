#include "resources/templates/Templates.h"

#include <array>

namespace vantrel {

namespace {

using enum ControlKind;
constexpr auto Centre = ControlAlign::Centre;

// The controls of the XBox 360 Setup page. All but the help line and the quality number only
// give rectangles: the page draws everything itself.
constexpr std::array x360SetupControls = {
    // The squares of the device's 14 keys.
    TemplateControl{1048, Edit, 31, 51, 15, 15, ""},
    TemplateControl{1049, Edit, 31, 73, 15, 15, ""},
    TemplateControl{1050, Edit, 31, 127, 15, 15, ""},
    TemplateControl{1052, Edit, 189, 52, 15, 15, ""},
    TemplateControl{1053, Edit, 189, 135, 15, 15, ""},
    TemplateControl{1054, Edit, 126, 135, 15, 15, ""},
    TemplateControl{1055, Edit, 158, 135, 15, 15, ""},
    TemplateControl{1056, Edit, 69, 170, 15, 15, ""},
    TemplateControl{1058, Edit, 206, 228, 15, 15, ""},
    TemplateControl{1059, Edit, 69, 148, 15, 15, ""},
    TemplateControl{1060, Edit, 170, 227, 15, 15, ""},
    TemplateControl{1061, Edit, 32, 216, 15, 15, ""},
    TemplateControl{1062, Edit, 32, 242, 15, 15, ""},
    TemplateControl{1063, Edit, 170, 248, 15, 15, ""},
    // The home squares of the 14 buttons, captioned with the buttons' names.
    TemplateControl{1035, Button, 253, 160, 15, 15, "L1"},
    TemplateControl{1036, Button, 273, 160, 15, 15, "L2"},
    TemplateControl{1037, Button, 292, 160, 15, 15, "L3"},
    TemplateControl{1040, Button, 363, 194, 15, 15, "CROSS"},
    TemplateControl{1041, Button, 343, 180, 15, 15, "CIRC"},
    TemplateControl{1042, Button, 343, 209, 15, 15, "SQUARE"},
    TemplateControl{1043, Button, 324, 160, 15, 15, "R1"},
    TemplateControl{1044, Button, 343, 160, 15, 15, "R2"},
    TemplateControl{1045, Button, 362, 160, 15, 15, "R3"},
    TemplateControl{1046, Button, 324, 194, 15, 15, "TRIAN"},
    TemplateControl{1094, Button, 253, 194, 15, 15, "LEFT"},
    TemplateControl{1095, Button, 273, 209, 15, 15, "DOWN"},
    TemplateControl{1096, Button, 273, 180, 15, 15, "UP"},
    TemplateControl{1097, Button, 293, 194, 15, 15, "RIGHT"},
    // Key sensitivity: High, Mid, Low.
    TemplateControl{1085, Static, 254, 58, 11, 12, ""},
    TemplateControl{1086, Static, 254, 86, 11, 12, ""},
    TemplateControl{1087, Static, 254, 113, 11, 12, ""},
    // Firing speed, 10 down to 2 shots a second.
    TemplateControl{1030, Static, 301, 58, 10, 8, ""},
    TemplateControl{1031, Static, 301, 66, 10, 8, ""},
    TemplateControl{1032, Static, 301, 73, 10, 8, ""},
    TemplateControl{1033, Static, 301, 81, 10, 8, ""},
    TemplateControl{1034, Static, 301, 88, 10, 8, ""},
    TemplateControl{1038, Static, 301, 96, 10, 8, ""},
    TemplateControl{1039, Static, 301, 103, 10, 8, ""},
    TemplateControl{1047, Static, 301, 111, 10, 8, ""},
    TemplateControl{1051, Static, 301, 118, 10, 8, ""},
    // The pad quality: gauge, number and the frame the monitor repaints.
    TemplateControl{1082, Static, 355, 60, 9, 64, ""},
    TemplateControl{1064, Static, 371, 87, 21, 12, "000", Centre},
    TemplateControl{1066, Static, 353, 59, 41, 65, ""},
    // The five commands and the area that holds them.
    TemplateControl{6, Button, 249, 244, 40, 12, "CLEAR"},
    TemplateControl{3, Button, 295, 243, 40, 12, "RESTORE"},
    TemplateControl{4, Button, 340, 243, 40, 12, "DEFAULT"},
    TemplateControl{7, Button, 301, 274, 40, 12, "SAVE"},
    TemplateControl{9, Button, 347, 274, 40, 12, "EXIT"},
    TemplateControl{1057, Static, 246, 239, 142, 48, ""},
    // The help line.
    TemplateControl{1078, Static, 99, 271, 190, 28, ""},
};

} // namespace

const DialogTemplate x360SetupDialogTemplate{X360_SETUP_DIALOG, "", 400, 300, x360SetupControls};

} // namespace vantrel
