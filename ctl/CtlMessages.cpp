#include "ctl/CtlMessages.h"

#include <utility>

namespace vantrel::ctl {

MessageAnswer CtlMessages::show(std::string_view text, MessageButtons buttons, MessageIcon) {
    const std::lock_guard lock(mutex_);
    shown_.emplace_back(text);
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
}

std::vector<std::string> CtlMessages::take() {
    const std::lock_guard lock(mutex_);
    return std::exchange(shown_, {});
}

} // namespace vantrel::ctl
