#include "tests/soak/SoakMessages.h"

#include <algorithm>

namespace vantrel::soak {

MessageAnswer SoakMessages::show(std::string_view text, MessageButtons buttons, MessageIcon icon) {
    const int step = std::this_thread::get_id() == userInterface_ ? step_.load() : 0;
    {
        std::lock_guard lock(mutex_);
        shown_.push_back({std::string(text), icon, step});
    }
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
}

std::size_t SoakMessages::size() const {
    std::lock_guard lock(mutex_);
    return shown_.size();
}

std::vector<SoakMessage> SoakMessages::since(std::size_t index) const {
    std::lock_guard lock(mutex_);
    return {shown_.begin() + static_cast<long>(std::min(index, shown_.size())), shown_.end()};
}

std::size_t SoakMessages::count(std::string_view text) const {
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(std::count_if(
        shown_.begin(), shown_.end(), [&](const SoakMessage& m) { return m.text == text; }));
}

} // namespace vantrel::soak
