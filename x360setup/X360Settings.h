#pragma once

#include "device/SettingsImage.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace vantrel {

class DeviceLink;

constexpr int X360_KEY_COUNT = 14;    // device keys that can produce a controller button
constexpr int X360_BUTTON_COUNT = 14; // controller buttons, codes 0 to 13
constexpr std::uint8_t NO_BUTTON = 255;
static_assert(X360_KEY_COUNT == BUTTON_MAP_SIZE);

constexpr std::int8_t SENSITIVITY_LOW = 2;
constexpr std::int8_t SENSITIVITY_MID = 3;
constexpr std::int8_t SENSITIVITY_HIGH = 4;
constexpr int SENSITIVITY_LEVELS = 3;

constexpr int FIRING_STEPS = 9; // 2 to 10 shots per second
constexpr int NO_FIRING_STEP = -1;
constexpr std::int8_t DEFAULT_FIRING_SPEED = 20;
constexpr int DEFAULT_FIRING_STEP = 3;

// The speed byte is the interval between shots in hundredths of a second.
std::int8_t firingSpeedFromStep(int step);

// The step a device byte stands for, or NO_FIRING_STEP for a byte outside the nine steps
// (0, which has no step at all, 1 to 9 and 51 up, and every negative byte).
int firingStepFromSpeed(std::int8_t speed);

// The lamp of a sensitivity byte, 0 (Low) to 2 (High), or nothing for a byte without a level.
std::optional<int> sensitivityLamp(std::int8_t sensitivity);

// Whether a button-map byte names a controller button; every other byte is an empty key.
constexpr bool isButtonCode(std::uint8_t byte) {
    return byte < X360_BUTTON_COUNT;
}

// What one load read from the device; an item is missing once a read has failed.
struct X360DeviceItems {
    std::optional<ButtonMapBytes> buttonMap;
    std::optional<std::int8_t> sensitivity;
    std::optional<std::int8_t> firingSpeed;

    bool complete() const { return buttonMap && sensitivity && firingSpeed; }
};

enum class X360SaveResult { Saved, Incomplete, Failed };

// The XBox 360 settings as the page shows and edits them, beside the device's copies. Lives on
// the user-interface thread; the monitor hands what it reads over as X360DeviceItems.
struct X360Settings {
    X360Settings();

    bool x360Changed() const;
    bool isMappingComplete() const;
    void clearX360Settings();
    void restoreX360Defaults();
    void setSensitivity(std::int8_t level);
    void setFiringStep(int step);
    void removeButton(std::uint8_t code);
    std::uint8_t assignButton(int key, std::uint8_t code);

    // Makes what a load read both the shown and the device values, item by item in read order.
    void takeDeviceItems(const X360DeviceItems& items);

    ButtonMapBytes buttonMap{};
    std::int8_t sensitivity = SENSITIVITY_MID;
    std::int8_t firingSpeed = DEFAULT_FIRING_SPEED;
    std::int32_t firingStep = DEFAULT_FIRING_STEP;
    ButtonMapBytes deviceButtonMap{};
    std::int8_t deviceSensitivity = SENSITIVITY_MID;
    std::int8_t deviceFiringSpeed = DEFAULT_FIRING_SPEED;
};

// The factory button map: key k produces button k.
ButtonMapBytes defaultButtonMap();

// Reads the button map, then the sensitivity, then the firing speed; stops at the first failure.
X360DeviceItems readX360Items(DeviceLink& link);

// A whole load on one thread: read, then take over what was read. True when all three arrived.
bool loadX360Settings(X360Settings& settings, DeviceLink& link);

// Writes what differs from the device's copies: map (with read-back), sensitivity, firing speed.
X360SaveResult saveX360Settings(X360Settings& settings, DeviceLink& link);

// What the user is told after a save with this result.
std::string_view x360SaveText(X360SaveResult result);

} // namespace vantrel
