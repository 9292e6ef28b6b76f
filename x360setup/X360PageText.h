#pragma once

#include <string_view>

namespace vantrel {

inline constexpr std::string_view dragHelpText =
    "Click and Drag a button to be defined to a key on the device.";
inline constexpr std::string_view dropHelpText =
    "Drop the selected button to a key position on the device.";
inline constexpr std::string_view commandHelpTexts[] = {
    "Clear all the current settings.",
    "Reload the settings from device.",
    "Restore the factory default settings.",
    "Save the current settings to the hardware.",
    "Exit the software.",
};

// The commands as the picture labels them, in command order.
inline constexpr std::string_view commandNames[] = {"Reset", "Reload", "Default", "SAVE", "EXIT"};

// Where each of the device's keys sits, by key number.
inline constexpr std::string_view keyPlaceNames[] = {
    "Controller stick press",
    "Controller upper front trigger",
    "Controller lower front trigger",
    "Controller button lower right",
    "Controller button upper right",
    "Controller button lower left",
    "Controller button upper left",
    "Mouse left button",
    "Mouse right button",
    "Mouse thumb button X",
    "Mouse thumb button A",
    "Mouse thumb button Y",
    "Mouse thumb button B",
    "Mouse wheel press",
};

// What each button's icon shows, by button code.
inline constexpr std::string_view buttonLegends[] = {
    "LS", "LB", "LT", "Dpad Left", "Dpad Down", "Dpad Up", "Dpad Right",
    "RT", "RB", "X",  "A",         "Y",         "B",       "RS",
};
inline constexpr std::string_view noButtonName = "none";
inline constexpr std::string_view noKeyName = "on no key";

inline constexpr std::string_view sensitivityGroupName = "Key Sensitivity";
inline constexpr std::string_view sensitivityNames[] = {"Low", "Mid", "High"};
inline constexpr std::string_view firingSpeedGroupName = "Firing Speed";
inline constexpr std::string_view firingStepNames[] = {
    "2 per second", "3 per second", "4 per second", "5 per second",  "6 per second",
    "7 per second", "8 per second", "9 per second", "10 per second",
};

inline constexpr std::string_view deviceMissingMessage =
    "Vantrel doesn't exist, please plug it in your USB port!";
inline constexpr std::string_view mappingIncompleteMessage = "Button mapping hasn't Completed!";
inline constexpr std::string_view x360SavedMessage =
    "The new X360 settings have been saved in your Vantrel sucessfully!";

} // namespace vantrel
