#pragma once

#include "platform/Messages.h"

#include <mutex>
#include <string>
#include <vector>

namespace vantrel::ctl {

// The texts the shared rules would show in boxes, kept for the command to report. A question is
// answered No, since a command never asks: it names what it would have asked instead.
class CtlMessages : public Messages {
public:
    MessageAnswer show(std::string_view text, MessageButtons buttons, MessageIcon icon) override;

    // What was shown since the last take, in order.
    std::vector<std::string> take();

private:
    std::mutex mutex_;
    std::vector<std::string> shown_;
};

} // namespace vantrel::ctl
