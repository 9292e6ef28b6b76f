#pragma once

#include "platform/Messages.h"

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace vantrel::test {

struct ShownMessage {
    std::string text;
    MessageButtons buttons;
    MessageIcon icon;
};

// Records every message box and answers from a script: the next scripted answer, or OK/Yes when
// the script has run out. Safe to call from several threads.
class RecordingMessages : public Messages {
public:
    MessageAnswer show(std::string_view text, MessageButtons buttons, MessageIcon icon) override;

    void scriptAnswer(MessageAnswer answer);
    std::vector<ShownMessage> shown() const;
    std::vector<std::string> texts() const;
    std::size_t count(std::string_view text) const;
    void clear();

    // Called as each box opens, before it is answered: a test looks at what shows behind it.
    std::function<void(std::string_view text)> onShow;

private:
    mutable std::mutex mutex_;
    std::vector<ShownMessage> shown_;
    std::deque<MessageAnswer> answers_;
};

} // namespace vantrel::test
