#include "pcsetup/KeyMap.h"

namespace vantrel {

KeyMap::KeyMap() {
    takeBaseline();
    resetToDefaults();
}

void KeyMap::resetToDefaults() {
    currentKeyMap_ = DEFAULT_KEY_MAP;
}

bool KeyMap::isChanged() const {
    return currentKeyMap_ != baselineKeyMap_;
}

void KeyMap::takeBaseline() {
    baselineKeyMap_ = currentKeyMap_;
}

void KeyMap::replaceFromDevice(const KeyMapBytes& block) {
    currentKeyMap_ = block;
    takeBaseline();
    refreshAllLabels_ = true;
}

void KeyMap::replaceWithProfile(const KeyMapBytes& block) {
    takeBaseline();
    currentKeyMap_ = block;
}

void KeyMap::restoreDefaults() {
    takeBaseline();
    resetToDefaults();
}

bool KeyMap::isSlot(int slot) {
    return slot >= 0 && slot < KEY_SLOT_COUNT;
}

bool KeyMap::slotNeedsRefresh(int slot) const {
    if (!isSlot(slot)) {
        return false;
    }
    const auto main = static_cast<std::size_t>(slot);
    const std::size_t held = HELD_KEY_OFFSET + main;
    return refreshAllLabels_ || currentKeyMap_[main] != baselineKeyMap_[main] ||
           currentKeyMap_[held] != baselineKeyMap_[held];
}

void KeyMap::setDefinition(int slot, KeyCode mainKey, KeyCode heldKey) {
    if (!isSlot(slot)) {
        return;
    }
    const auto main = static_cast<std::size_t>(slot);
    currentKeyMap_[main] = mainKey;
    currentKeyMap_[HELD_KEY_OFFSET + main] = heldKey;
}

void KeyMap::clearSlot(int slot) {
    setDefinition(slot, 0, 0);
}

KeyCode KeyMap::mainKey(int slot) const {
    return isSlot(slot) ? currentKeyMap_[static_cast<std::size_t>(slot)] : KeyCode{0};
}

KeyCode KeyMap::heldKey(int slot) const {
    return isSlot(slot) ? currentKeyMap_[HELD_KEY_OFFSET + static_cast<std::size_t>(slot)]
                        : KeyCode{0};
}

} // namespace vantrel
