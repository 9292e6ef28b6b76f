#pragma once

#include "tests/soak/SoakMessages.h"

#include <functional>
#include <string>
#include <vector>

namespace vantrel::soak {

// Runs one step of the user's (a click, a drag, a few keys) and returns the messages it showed.
class StepRecorder {
public:
    explicit StepRecorder(SoakMessages& messages) : messages_(messages) {}

    std::vector<SoakMessage> run(const std::function<void()>& step);

private:
    SoakMessages& messages_;
    int lastStep_ = 0;
};

std::vector<std::string> textsOf(const std::vector<SoakMessage>& messages);

// The texts as one line for a failure report, each in quotes.
std::string quoted(const std::vector<std::string>& texts);

} // namespace vantrel::soak
