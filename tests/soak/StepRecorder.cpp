#include "tests/soak/StepRecorder.h"

namespace vantrel::soak {

std::vector<SoakMessage> StepRecorder::run(const std::function<void()>& step) {
    const int number = ++lastStep_;
    const std::size_t first = messages_.size();
    messages_.setStep(number);
    step();
    messages_.setStep(0);
    std::vector<SoakMessage> shown;
    for (SoakMessage& message : messages_.since(first)) {
        if (message.step == number) {
            shown.push_back(std::move(message));
        }
    }
    return shown;
}

std::vector<std::string> textsOf(const std::vector<SoakMessage>& messages) {
    std::vector<std::string> texts;
    for (const SoakMessage& message : messages) {
        texts.push_back(message.text);
    }
    return texts;
}

std::string quoted(const std::vector<std::string>& texts) {
    if (texts.empty()) {
        return "nothing";
    }
    std::string line;
    for (const std::string& text : texts) {
        line += (line.empty() ? "\"" : ", \"") + text + "\"";
    }
    return line;
}

} // namespace vantrel::soak
