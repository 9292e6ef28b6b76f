#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace vantrel::soak {

// Ends the process with a message when a cycle outlives its bound: a step that hangs inside the
// program never returns to the soak, so nothing else could report it.
class Watchdog {
public:
    using Describe = std::function<std::string()>;

    explicit Watchdog(Describe describe);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    void arm(std::chrono::milliseconds bound);
    void disarm();

private:
    void watch();

    const Describe describe_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool armed_ = false;
    bool ending_ = false;
    std::chrono::steady_clock::time_point deadline_;
    std::chrono::milliseconds bound_{0};
    std::thread thread_;
};

} // namespace vantrel::soak
