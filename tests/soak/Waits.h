#pragma once

#include <QCoreApplication>

#include <chrono>
#include <thread>

namespace vantrel::soak {

// Waits on the user-interface thread with its events running, as the program's own loop would
// run them: the monitor's work crosses over and the host's notices arrive meanwhile. False when
// the condition still did not hold at the bound.
template <typename Condition>
bool waitUntil(Condition&& condition, std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    for (;;) {
        QCoreApplication::processEvents();
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// Lets the events run for a while.
inline void settle(std::chrono::milliseconds time) {
    waitUntil([] { return false; }, time);
}

} // namespace vantrel::soak
