#include "pcsetup/PcSave.h"

#include "device/DeviceLink.h"

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

} // namespace vantrel
