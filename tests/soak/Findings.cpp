#include "tests/soak/Findings.h"

#include <gtest/gtest.h>

namespace vantrel::soak {

namespace {

std::string listed(const std::vector<std::string>& items) {
    if (items.empty()) {
        return "none";
    }
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : "; ") + item;
    }
    return text;
}

} // namespace

void Findings::beginCycle(int cycle, const std::vector<devsim::Fault>& carriedOver) {
    std::lock_guard lock(mutex_);
    cycle_ = cycle;
    injected_.clear();
    carriedOver_.clear();
    for (const devsim::Fault& fault : carriedOver) {
        carriedOver_.push_back(devsim::describeFault(fault));
    }
}

void Findings::noteFault(const devsim::Fault& fault) {
    std::lock_guard lock(mutex_);
    injected_.push_back(devsim::describeFault(fault));
}

void Findings::fail(const std::string& what) {
    const std::string where = context();
    {
        std::lock_guard lock(mutex_);
        ++count_;
    }
    ADD_FAILURE() << what << "\n  " << where;
}

int Findings::count() const {
    std::lock_guard lock(mutex_);
    return count_;
}

std::string Findings::context() const {
    std::lock_guard lock(mutex_);
    return "cycle " + std::to_string(cycle_) + ", seed " + std::to_string(seed_) +
           "; faults injected in this cycle: " + listed(injected_) +
           "; still waiting from earlier cycles: " + listed(carriedOver_);
}

} // namespace vantrel::soak
