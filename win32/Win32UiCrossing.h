#pragma once

#include "window/UiCrossing.h"

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace vantrel {

// The way from the monitor thread to the user-interface thread: the work waits here, a message
// to the main window has the user-interface thread run it, and the caller waits until it has.
class Win32UiCrossing : public UiCrossing {
public:
    // Made on the user-interface thread.
    Win32UiCrossing();

    // The main window, set on the user-interface thread before the monitor starts.
    void attach(HWND window);

    bool run(const std::function<void()>& work) override;

    // Called by the main window for CROSSING_MESSAGE: runs the work that waits.
    void runWaitingWork();

    // From now on nothing runs, and every caller waiting returns false at once.
    void close();

private:
    struct Task {
        const std::function<void()>* work = nullptr;
        bool started = false;
        bool done = false;
    };

    std::thread::id uiThread_;
    std::mutex mutex_;
    std::condition_variable finished_;
    std::deque<std::shared_ptr<Task>> waiting_;
    HWND window_ = nullptr;
    bool closed_ = false;
};

} // namespace vantrel
