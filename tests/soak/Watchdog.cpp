#include "tests/soak/Watchdog.h"

#include <cstdio>
#include <cstdlib>

namespace vantrel::soak {

Watchdog::Watchdog(Describe describe) : describe_(std::move(describe)) {
    thread_ = std::thread([this] { watch(); });
}

Watchdog::~Watchdog() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void Watchdog::arm(std::chrono::milliseconds bound) {
    {
        std::lock_guard lock(mutex_);
        armed_ = true;
        bound_ = bound;
        deadline_ = std::chrono::steady_clock::now() + bound;
    }
    changed_.notify_all();
}

void Watchdog::disarm() {
    {
        std::lock_guard lock(mutex_);
        armed_ = false;
    }
    changed_.notify_all();
}

void Watchdog::watch() {
    std::unique_lock lock(mutex_);
    while (!ending_) {
        if (!armed_) {
            changed_.wait(lock);
            continue;
        }
        if (changed_.wait_until(lock, deadline_) == std::cv_status::timeout && armed_ &&
            std::chrono::steady_clock::now() >= deadline_) {
            std::fprintf(stderr,
                         "soak: HANG: the cycle did not end within its bound of %lld ms\n"
                         "  %s\n",
                         static_cast<long long>(bound_.count()), describe_().c_str());
            std::fflush(stderr);
            std::abort();
        }
    }
}

} // namespace vantrel::soak
