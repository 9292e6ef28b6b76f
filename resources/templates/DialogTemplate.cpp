#include "resources/templates/DialogTemplate.h"

#include "resources/templates/Templates.h"

#include <algorithm>

namespace vantrel {

const DialogTemplate& dialogTemplate(int id) {
    switch (id) {
    case ABOUT_DIALOG:
        return aboutDialogTemplate;
    case PC_SETUP_DIALOG:
        return pcSetupDialogTemplate;
    case X360_SETUP_DIALOG:
        return x360SetupDialogTemplate;
    default:
        return mainDialogTemplate;
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
