#pragma once

#include <functional>

namespace vantrel {

// The host's way from the device monitor thread to the user-interface thread.
class UiCrossing {
public:
    virtual ~UiCrossing() = default;

    // Runs the work on the user-interface thread (at once when called there) and returns after
    // it has run. False, without running it, once the crossing is closed at the end of the run,
    // so a late monitor never reaches a page that is going away.
    virtual bool run(const std::function<void()>& work) = 0;
};

} // namespace vantrel
