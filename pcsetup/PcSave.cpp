#include "pcsetup/PcSave.h"

#include "device/DeviceLink.h"
#include "pcsetup/PcPageText.h"

namespace vantrel {

PcSaveResult savePcKeyMap(KeyMap& keyMap, DeviceLink& link) {
    if (!keyMap.isChanged()) {
        return PcSaveResult::NoChange;
    }
    if (link.WrEELong(keyMap.currentKeyMap()) != LINK_OK) {
        return PcSaveResult::Failed;
    }
    keyMap.takeBaseline();
    return PcSaveResult::Saved;
}

std::string_view pcSaveText(PcSaveResult result) {
    switch (result) {
    case PcSaveResult::NoChange:
        return noChangeMessage;
    case PcSaveResult::Saved:
        return pcSavedMessage;
    case PcSaveResult::Failed:
        break;
    }
    return commErrorMessage;
}

} // namespace vantrel
