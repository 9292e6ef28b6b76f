#pragma once

#include <chrono>
#include <thread>

namespace vantrel::test {

// Polls a condition that another thread will make true; false if it never did within the time.
template <typename Condition>
bool eventually(Condition&& condition,
                std::chrono::milliseconds patience = std::chrono::milliseconds(5000)) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

} // namespace vantrel::test
