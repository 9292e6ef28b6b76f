#pragma once

#include "device/MonitorPages.h"
#include "platform/Messages.h"

#include <functional>
#include <string_view>

namespace vantrel {

inline constexpr std::string_view saveOnExitQuestion = "Save the new settings into Vantrel?";

// One of the two settings sets the exit may save: the PC key map, or the XBox 360 settings.
struct ExitSettings {
    std::function<bool()> changed;
    std::function<void()> save; // shows its own result
};

enum class ExitDecision { EndRun, GoOn };

// The EXIT of both pages. Asks only when the device is connected and something changed; on Yes
// saves each changed set, the asking page's first, and ends whatever the saves reported.
ExitDecision ConfirmExit(SetupPage askingPage, bool deviceConnected, Messages& messages,
                         const ExitSettings& pcSettings, const ExitSettings& x360Settings);

} // namespace vantrel
