#pragma once

#include <string_view>

namespace vantrel {

inline constexpr std::string_view defaultHelpText =
    "Put the cursor on a button label which you want to define.";
inline constexpr std::string_view labelHelpText = "Click on the lable to define the button.";
inline constexpr std::string_view buttonHelpTexts[] = {
    "Save the current settings to the hardware.",
    "Restore the factory default settings.",
    "Exit the software.",
    "Load the settings from file.",
    "Save the current settings to file.",
};

// The picture buttons as their pictures name them, in button order.
inline constexpr std::string_view buttonNames[] = {
    "SAVE", "RESET", "EXIT", "Load Profile", "Save As Profile",
};

inline constexpr std::string_view deviceNotFoundMessage =
    "Vantrel device not found. \r\nPlug-in your Vantrel Receiver dongle while press and hold "
    "the button on it!";
inline constexpr std::string_view noChangeMessage = "No Change has been made!";
inline constexpr std::string_view pcSavedMessage =
    "The new PC settings have been saved in your Vantrel sucessfully!";

} // namespace vantrel
