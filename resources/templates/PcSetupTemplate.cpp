#include "resources/templates/Templates.h"

#include <array>

namespace vantrel {

namespace {

using enum ControlKind;
constexpr auto Centre = ControlAlign::Centre;
constexpr auto Left = ControlAlign::Left;
constexpr auto Hidden = ControlShown::Invisible;

// The controls of the PC Setup page. Most only give rectangles: the page draws everything.
constexpr std::array pcSetupControls = {
    // Place-holders of the eighteen key labels.
    TemplateControl{1000, Edit, 174, 221, 50, 13, ""},
    TemplateControl{1001, Edit, 174, 244, 50, 13, ""},
    TemplateControl{1002, Edit, 174, 198, 51, 14, ""},
    TemplateControl{1006, Edit, 9, 66, 51, 14, ""},
    TemplateControl{1007, Edit, 9, 112, 51, 14, ""},
    TemplateControl{1008, Edit, 9, 89, 51, 14, ""},
    TemplateControl{1009, Edit, 9, 137, 51, 14, ""},
    TemplateControl{1011, Edit, 9, 43, 51, 14, ""},
    TemplateControl{1012, Edit, 9, 212, 50, 13, ""},
    TemplateControl{1013, Edit, 174, 184, 51, 14, ""},
    TemplateControl{1014, Edit, 174, 170, 51, 14, ""},
    TemplateControl{1015, Edit, 174, 156, 51, 14, ""},
    TemplateControl{1016, Edit, 174, 142, 51, 14, ""},
    TemplateControl{1017, Edit, 223, 45, 51, 14, ""},
    TemplateControl{1018, Edit, 337, 46, 51, 14, ""},
    TemplateControl{1019, Edit, 337, 101, 51, 14, ""},
    TemplateControl{1020, Edit, 337, 128, 51, 14, ""},
    TemplateControl{1021, Edit, 337, 73, 51, 14, ""},
    // Not used.
    TemplateControl{1022, Edit, 337, 164, 51, 14, "", Left, Hidden},
    TemplateControl{1023, Edit, 249, 251, 50, 13, "", Left, Hidden},
    TemplateControl{1024, Edit, 337, 188, 51, 14, "", Left, Hidden},
    TemplateControl{1025, Edit, 249, 228, 50, 13, "", Left, Hidden},
    // The pad quality: its number, its bar and the area the monitor repaints.
    TemplateControl{1026, Static, 158, 81, 23, 8, "000", Centre},
    TemplateControl{1028, Edit, 142, 54, 9, 64, "", Left, Hidden},
    TemplateControl{1065, Static, 141, 54, 41, 65, ""},
    // The help line.
    TemplateControl{1005, Static, 86, 271, 164, 24, ""},
    // Place-holders of the five picture buttons.
    TemplateControl{1003, Button, 255, 273, 41, 15, "SAVE"},
    TemplateControl{1004, Button, 301, 273, 41, 15, "CLEAR"},
    TemplateControl{2, Button, 348, 273, 41, 15, "EXIT"},
    TemplateControl{1010, Button, 5, 249, 62, 18, "Load Profile"},
    TemplateControl{149, Button, 72, 249, 62, 18, "Save Profile"},
};

} // namespace

const DialogTemplate pcSetupDialogTemplate{PC_SETUP_DIALOG, "", 400, 300, pcSetupControls};

} // namespace vantrel
