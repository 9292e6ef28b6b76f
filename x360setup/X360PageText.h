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

inline constexpr std::string_view deviceMissingMessage =
    "Vantrel doesn't exist, please plug it in your USB port!";
inline constexpr std::string_view mappingIncompleteMessage = "Button mapping hasn't Completed!";
inline constexpr std::string_view x360SavedMessage =
    "The new X360 settings have been saved in your Vantrel sucessfully!";

} // namespace vantrel
