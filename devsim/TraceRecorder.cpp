#include "devsim/TraceRecorder.h"

namespace vantrel::devsim {

void TraceRecorder::line(std::string_view text) {
    std::lock_guard lock(mutex_);
    lines_.emplace_back(text);
}

std::vector<std::string> TraceRecorder::lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

} // namespace vantrel::devsim
