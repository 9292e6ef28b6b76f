#include "devsim/BusFaultBook.h"

namespace vantrel::devsim {

void BusFaultBook::failNext(BusCall call, std::uint32_t error, int times) {
    std::lock_guard lock(mutex_);
    for (int i = 0; i < times; ++i) {
        failures_[static_cast<std::size_t>(call)].push_back(error);
    }
}

std::optional<std::uint32_t> BusFaultBook::onCall(BusCall call) {
    std::lock_guard lock(mutex_);
    const auto slot = static_cast<std::size_t>(call);
    ++calls_[slot];
    auto& failures = failures_[slot];
    if (failures.empty()) {
        return std::nullopt;
    }
    const std::uint32_t error = failures.front();
    failures.pop_front();
    return error;
}

int BusFaultBook::calls(BusCall call) const {
    std::lock_guard lock(mutex_);
    return calls_[static_cast<std::size_t>(call)];
}

} // namespace vantrel::devsim
