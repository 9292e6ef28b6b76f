#pragma once

#include <string_view>

#include "pcsetup/KeyMap.h"

namespace vantrel {

class DeviceLink;

enum class PcSaveResult { NoChange, Saved, Failed };

// Writes the key map to the device when it differs from the baseline: the four block writes of
// WrEELong. A successful write becomes the new baseline; a failed one leaves the map changed.
PcSaveResult savePcKeyMap(KeyMap& keyMap, DeviceLink& link);

// What the user is told after a save with this result.
std::string_view pcSaveText(PcSaveResult result);

} // namespace vantrel
