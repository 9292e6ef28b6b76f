#pragma once

#include "device/MonitorPages.h"

namespace vantrel {

// What the main window's rules ask of the host's window. Called on the user-interface thread.
class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;

    // Shows that page's window, hides the other's, and draws the shown one before returning.
    virtual void showPage(SetupPage page) = 0;

    // Ends the main window's modal run, and with it the program.
    virtual void endRun() = 0;
};

} // namespace vantrel
