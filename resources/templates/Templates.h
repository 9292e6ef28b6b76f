#pragma once

#include "resources/templates/DialogTemplate.h"

namespace vantrel {

extern const DialogTemplate aboutDialogTemplate;
extern const DialogTemplate pcSetupDialogTemplate;
extern const DialogTemplate x360SetupDialogTemplate;
extern const DialogTemplate mainDialogTemplate;

} // namespace vantrel
