#include "device/AutoResetEvent.h"

namespace vantrel {

void AutoResetEvent::set() {
    {
        std::lock_guard lock(mutex_);
        signalled_ = true;
    }
    changed_.notify_one();
}

void AutoResetEvent::reset() {
    std::lock_guard lock(mutex_);
    signalled_ = false;
}

bool AutoResetEvent::wait(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, timeout, [this] { return signalled_; })) {
        return false;
    }
    signalled_ = false;
    return true;
}

} // namespace vantrel
