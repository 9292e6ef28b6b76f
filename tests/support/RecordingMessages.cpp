#include "tests/support/RecordingMessages.h"

#include <algorithm>

namespace vantrel::test {

MessageAnswer RecordingMessages::show(std::string_view text, MessageButtons buttons,
                                      MessageIcon icon) {
    if (onShow) {
        onShow(text);
    }
    std::lock_guard lock(mutex_);
    shown_.push_back({std::string(text), buttons, icon});
    if (!answers_.empty()) {
        const MessageAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
}

void RecordingMessages::scriptAnswer(MessageAnswer answer) {
    std::lock_guard lock(mutex_);
    answers_.push_back(answer);
}

std::vector<ShownMessage> RecordingMessages::shown() const {
    std::lock_guard lock(mutex_);
    return shown_;
}

std::vector<std::string> RecordingMessages::texts() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> texts;
    for (const auto& message : shown_) {
        texts.push_back(message.text);
    }
    return texts;
}

std::size_t RecordingMessages::count(std::string_view text) const {
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(std::count_if(
        shown_.begin(), shown_.end(), [&](const ShownMessage& m) { return m.text == text; }));
}

void RecordingMessages::clear() {
    std::lock_guard lock(mutex_);
    shown_.clear();
    answers_.clear();
}

} // namespace vantrel::test
