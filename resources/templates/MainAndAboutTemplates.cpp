#include "resources/templates/Templates.h"

#include <array>

namespace vantrel {

namespace {

using enum ControlKind;

// The two buttons only give the areas over the tab headers that the pages' pictures draw.
constexpr std::array mainControls = {
    TemplateControl{1029, Button, 0, 11, 97, 15, "Button1"},
    TemplateControl{1030, Button, 111, 11, 102, 15, "Button1"},
};

constexpr std::array aboutControls = {
    TemplateControl{-1, Icon, 14, 14, 21, 20, "153"},
    TemplateControl{-1, Static, 42, 14, 114, 8, "VantrelConfig, Version 1.0"},
    TemplateControl{-1, Static, 42, 26, 114, 8, "Button and key settings for the Vantrel."},
    TemplateControl{1, Button, 113, 41, 50, 14, "OK"},
};

} // namespace

const DialogTemplate mainDialogTemplate{MAIN_DIALOG, "Vantrel Setup Utility V104a", 400, 300,
                                        mainControls};
const DialogTemplate aboutDialogTemplate{ABOUT_DIALOG, "About VantrelConfig", 170, 62,
                                         aboutControls};

} // namespace vantrel
