#pragma once

#include "device/SettingsImage.h"
#include "pcsetup/KeyNames.h"

namespace vantrel {

// The block holds 32 key slots: byte i is the main key of slot i, byte 32 + i its held key.
inline constexpr int KEY_SLOT_COUNT = 32;
inline constexpr std::size_t HELD_KEY_OFFSET = 32;
static_assert(KEY_SLOT_COUNT + HELD_KEY_OFFSET == KEY_MAP_SIZE);

// The factory key map: the main keys of slots 0 to 31, then 32 zero bytes, for no slot has a
// held key.
inline constexpr KeyMapBytes DEFAULT_KEY_MAP = {
    0x33, 0x32, 0xA0, 0x20, 0x41, 0x46, 0x54, 0x45, 0x41, 0x44, 0x57, 0x53, 0x52, 0x52, 0x34, 0x31,
    0x48, 0x4B, 0x4F, 0x43, 0x42, 0x41, 0x4E, 0x52, 0x52, 0x47, 0x5A, 0x43, 0x4C, 0x58, 0x51, 0x46,
};

// The PC key map: the definitions as the user now sees and edits them (currentKeyMap) and the map
// that changes are detected against (baselineKeyMap).
//
// Used on the user-interface thread only, so it has no lock: the device monitor hands the block
// it read over to that thread, which then calls replaceFromDevice.
//
// Slots outside 0 to 31 do not exist: they read as no key, never need a refresh, and writes to
// them are ignored.
class KeyMap {
public:
    // Starts with the defaults against an all-zero baseline, so the first refresh writes every
    // label.
    KeyMap();

    void resetToDefaults();
    bool isChanged() const;
    void takeBaseline();

    // The bulk changes. Each takes its baseline from the map as it stood before the change (the
    // device read from the device's own block), so that the next refresh rewrites exactly the
    // labels the change altered. Unsaved edits are lost.
    void replaceFromDevice(const KeyMapBytes& block);
    void replaceWithProfile(const KeyMapBytes& block);
    void restoreDefaults();

    bool slotNeedsRefresh(int slot) const;
    void setDefinition(int slot, KeyCode mainKey, KeyCode heldKey);
    void clearSlot(int slot);
    KeyCode mainKey(int slot) const;
    KeyCode heldKey(int slot) const;

    const KeyMapBytes& currentKeyMap() const { return currentKeyMap_; }
    const KeyMapBytes& baselineKeyMap() const { return baselineKeyMap_; }

    // Set by a device read; cleared after the label refresh walk.
    bool refreshAllLabels() const { return refreshAllLabels_; }
    void clearRefreshAllLabels() { refreshAllLabels_ = false; }

private:
    static bool isSlot(int slot);

    KeyMapBytes currentKeyMap_{};
    KeyMapBytes baselineKeyMap_{};
    bool refreshAllLabels_ = false;
};

} // namespace vantrel
