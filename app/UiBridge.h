#pragma once

#include "window/UiCrossing.h"

#include <QObject>

#include <condition_variable>
#include <functional>
#include <mutex>

namespace vantrel {

// Carries work from the device monitor thread to the user-interface thread and waits for it.
// Once closed at the end of the run nothing more runs, and every waiter returns at once, so a
// late monitor never reaches a page that is going away.
class UiBridge : public QObject, public UiCrossing {
public:
    UiBridge();

    // Runs the work on the user-interface thread (at once when called there) and returns after
    // it has run. False, without running it, once the bridge is closed.
    bool run(const std::function<void()>& work) override;

    // Called on the user-interface thread.
    void close();

private:
    struct Task;

    std::mutex mutex_;
    std::condition_variable finished_;
    bool closed_ = false;
};

} // namespace vantrel
