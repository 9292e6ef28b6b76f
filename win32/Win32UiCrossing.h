#pragma once

#include "window/QueuedUiCrossing.h"

#include <windows.h>

#include <atomic>

namespace vantrel {

// The way from the monitor thread to the user-interface thread: a message to the main window has
// the user-interface thread run the work that waits.
class Win32UiCrossing : public QueuedUiCrossing {
public:
    // The main window, set on the user-interface thread before the monitor starts, and taken
    // away when the window goes.
    void attach(HWND window);

private:
    bool wake() override;

    std::atomic<HWND> window_ = nullptr;
};

} // namespace vantrel
