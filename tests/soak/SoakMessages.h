#pragma once

#include "platform/Messages.h"

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vantrel::soak {

struct SoakMessage {
    std::string text;
    MessageIcon icon;
    int step; // the user's step that showed it; 0 for the monitor's work
};

// The message boxes of both threads, answered OK or Yes at once. Each is told apart by whether
// the user's step under way showed it on the user-interface thread, or the monitor's work did
// (on its own thread, or handed over to the user-interface thread between steps).
class SoakMessages : public Messages {
public:
    MessageAnswer show(std::string_view text, MessageButtons buttons, MessageIcon icon) override;

    // Called on the user-interface thread around each step; 0 between steps.
    void setStep(int step) { step_ = step; }

    std::size_t size() const;
    std::vector<SoakMessage> since(std::size_t index) const;
    std::size_t count(std::string_view text) const;

private:
    const std::thread::id userInterface_ = std::this_thread::get_id();
    std::atomic<int> step_{0};
    mutable std::mutex mutex_;
    std::vector<SoakMessage> shown_;
};

} // namespace vantrel::soak
