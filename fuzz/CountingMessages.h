#pragma once

#include "platform/Messages.h"

#include <string>
#include <vector>

namespace vantrel::fuzz {

// Keeps the text of every box shown and answers each one as if its first button was chosen.
class CountingMessages : public Messages {
public:
    MessageAnswer show(std::string_view text, MessageButtons buttons, MessageIcon) override {
        texts.emplace_back(text);
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
    }

    std::vector<std::string> texts;
};

} // namespace vantrel::fuzz
