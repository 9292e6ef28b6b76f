#include "x360setup/X360Settings.h"

#include "device/DeviceLink.h"
#include "x360setup/X360PageText.h"

#include <algorithm>
#include <numeric>

namespace vantrel {

std::int8_t firingSpeedFromStep(int step) {
    return static_cast<std::int8_t>(100 / (step + 2));
}

int firingStepFromSpeed(std::int8_t speed) {
    if (speed <= 0) {
        return NO_FIRING_STEP;
    }
    const int step = 100 / speed - 2;
    return step >= 0 && step < FIRING_STEPS ? step : NO_FIRING_STEP;
}

std::optional<int> sensitivityLamp(std::int8_t sensitivity) {
    if (sensitivity < SENSITIVITY_LOW || sensitivity > SENSITIVITY_HIGH) {
        return std::nullopt;
    }
    return sensitivity - SENSITIVITY_LOW;
}

ButtonMapBytes defaultButtonMap() {
    ButtonMapBytes map{};
    std::iota(map.begin(), map.end(), std::uint8_t{0});
    return map;
}

X360Settings::X360Settings() : buttonMap(defaultButtonMap()) {
    // Until the first load the device's map is unknown, so the record counts as changed.
    deviceButtonMap.fill(NO_BUTTON);
}

bool X360Settings::x360Changed() const {
    return buttonMap != deviceButtonMap || sensitivity != deviceSensitivity ||
           firingSpeed != deviceFiringSpeed;
}

bool X360Settings::isMappingComplete() const {
    // A byte that names no button (255, or anything a device may hold above 13) is an empty key.
    return std::all_of(buttonMap.begin(), buttonMap.end(), isButtonCode);
}

void X360Settings::clearX360Settings() {
    buttonMap.fill(NO_BUTTON);
    sensitivity = SENSITIVITY_MID;
    firingSpeed = DEFAULT_FIRING_SPEED;
    firingStep = DEFAULT_FIRING_STEP;
}

void X360Settings::restoreX360Defaults() {
    buttonMap = defaultButtonMap();
    sensitivity = SENSITIVITY_MID;
    firingSpeed = DEFAULT_FIRING_SPEED;
    firingStep = DEFAULT_FIRING_STEP;
}

void X360Settings::setSensitivity(std::int8_t level) {
    if (sensitivityLamp(level)) {
        sensitivity = level;
    }
}

void X360Settings::setFiringStep(int step) {
    if (step >= 0 && step < FIRING_STEPS) {
        firingStep = step;
        firingSpeed = firingSpeedFromStep(step);
    }
}

void X360Settings::removeButton(std::uint8_t code) {
    std::replace(buttonMap.begin(), buttonMap.end(), code, NO_BUTTON);
}

std::uint8_t X360Settings::assignButton(int key, std::uint8_t code) {
    if (key < 0 || key >= X360_KEY_COUNT) {
        return NO_BUTTON;
    }
    const auto index = static_cast<std::size_t>(key);
    const std::uint8_t previous = buttonMap[index];
    buttonMap[index] = code;
    return previous;
}

void X360Settings::takeDeviceItems(const X360DeviceItems& items) {
    if (!items.buttonMap) {
        return;
    }
    buttonMap = *items.buttonMap;
    deviceButtonMap = *items.buttonMap;
    if (!items.sensitivity) {
        return;
    }
    deviceSensitivity = *items.sensitivity;
    sensitivity = deviceSensitivity;
    if (!items.firingSpeed) {
        return;
    }
    deviceFiringSpeed = *items.firingSpeed;
    firingSpeed = deviceFiringSpeed;
    firingStep = firingStepFromSpeed(firingSpeed);
}

X360DeviceItems readX360Items(DeviceLink& link) {
    X360DeviceItems items;
    ButtonMapBytes map{};
    if (link.readButtonMap(map) != LINK_OK) {
        return items;
    }
    items.buttonMap = map;
    std::array<std::uint8_t, 1> byte{};
    if (link.readBytes(SENSITIVITY_ADDRESS, byte) != LINK_OK) {
        return items;
    }
    items.sensitivity = static_cast<std::int8_t>(byte[0]);
    if (link.readBytes(FIRING_SPEED_ADDRESS, byte) != LINK_OK) {
        return items;
    }
    items.firingSpeed = static_cast<std::int8_t>(byte[0]);
    return items;
}

bool loadX360Settings(X360Settings& settings, DeviceLink& link) {
    const X360DeviceItems items = readX360Items(link);
    settings.takeDeviceItems(items);
    return items.complete();
}

X360SaveResult saveX360Settings(X360Settings& settings, DeviceLink& link) {
    if (!settings.isMappingComplete()) {
        return X360SaveResult::Incomplete;
    }
    if (settings.buttonMap != settings.deviceButtonMap) {
        if (link.writeButtonMap(settings.buttonMap) != LINK_OK) {
            return X360SaveResult::Failed;
        }
        settings.deviceButtonMap = settings.buttonMap;
    }
    if (settings.sensitivity != settings.deviceSensitivity) {
        const std::array<std::uint8_t, 1> byte{static_cast<std::uint8_t>(settings.sensitivity)};
        if (link.writeBytes(SENSITIVITY_ADDRESS, byte) != LINK_OK) {
            return X360SaveResult::Failed;
        }
        settings.deviceSensitivity = settings.sensitivity;
    }
    if (settings.firingSpeed != settings.deviceFiringSpeed) {
        const std::array<std::uint8_t, 1> byte{static_cast<std::uint8_t>(settings.firingSpeed)};
        if (link.writeBytes(FIRING_SPEED_ADDRESS, byte) != LINK_OK) {
            return X360SaveResult::Failed;
        }
        settings.deviceFiringSpeed = settings.firingSpeed;
    }
    return X360SaveResult::Saved;
}

std::string_view x360SaveText(X360SaveResult result) {
    switch (result) {
    case X360SaveResult::Incomplete:
        return mappingIncompleteMessage;
    case X360SaveResult::Saved:
        return x360SavedMessage;
    case X360SaveResult::Failed:
        break;
    }
    return commErrorMessage;
}

} // namespace vantrel
