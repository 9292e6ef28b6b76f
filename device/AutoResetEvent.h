#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace vantrel {

// An event that stays set until one wait takes it, then resets itself. Not set when made.
class AutoResetEvent {
public:
    void set();
    void reset();

    // True when the event was set within the time (and is now reset); false when it timed out.
    bool wait(std::chrono::milliseconds timeout);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool signalled_ = false;
};

} // namespace vantrel
