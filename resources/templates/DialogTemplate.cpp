#include "resources/templates/DialogTemplate.h"

#include "resources/templates/TemplateMacros.h"

#include <algorithm>

namespace vantrel {

namespace {

namespace about {
#include "resources/templates/AboutDialog.def"
}
namespace pcSetup {
#include "resources/templates/PcSetupDialog.def"
}
namespace x360Setup {
#include "resources/templates/X360SetupDialog.def"
}
namespace mainWindow {
#include "resources/templates/MainDialog.def"
}

static_assert(about::layout.id == ABOUT_DIALOG);
static_assert(pcSetup::layout.id == PC_SETUP_DIALOG);
static_assert(x360Setup::layout.id == X360_SETUP_DIALOG);
static_assert(mainWindow::layout.id == MAIN_DIALOG);

} // namespace

const DialogTemplate& dialogTemplate(int id) {
    switch (id) {
    case ABOUT_DIALOG:
        return about::layout;
    case PC_SETUP_DIALOG:
        return pcSetup::layout;
    case X360_SETUP_DIALOG:
        return x360Setup::layout;
    default:
        return mainWindow::layout;
    }
}

const TemplateControl* findControl(const DialogTemplate& layout, int controlId) {
    const auto found = std::find_if(layout.controls.begin(), layout.controls.end(),
                                    [&](const TemplateControl& c) { return c.id == controlId; });
    return found == layout.controls.end() ? nullptr : &*found;
}

PixelRect controlRect(const DialogTemplate& layout, int controlId) {
    const TemplateControl* control = findControl(layout, controlId);
    if (!control) {
        return {};
    }
    constexpr int unit = PIXELS_PER_DIALOG_UNIT;
    return {control->x * unit, control->y * unit, control->width * unit, control->height * unit};
}

} // namespace vantrel
