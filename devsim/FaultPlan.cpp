#include "devsim/FaultPlan.h"

namespace vantrel::devsim {

namespace {

bool inScope(RequestScope scope, RequestKind request) {
    switch (scope) {
    case RequestScope::All:
        return true;
    case RequestScope::Reads:
        return request == RequestKind::Read;
    case RequestScope::Writes:
        return request == RequestKind::Write;
    case RequestScope::Queries:
        return request == RequestKind::Query;
    }
    return false;
}

} // namespace

void FaultPlan::add(const Fault& fault) {
    auto& slot = slots_[static_cast<std::size_t>(fault.kind)];
    if (fault.count < 1) {
        slot.reset();
    } else {
        slot = fault;
    }
}

void FaultPlan::clear() {
    slots_.fill(std::nullopt);
}

std::vector<Fault> FaultPlan::pending() const {
    std::vector<Fault> faults;
    for (const auto& slot : slots_) {
        if (slot) {
            faults.push_back(*slot);
        }
    }
    return faults;
}

std::optional<Fault> FaultPlan::take(FaultKind kind, RequestKind request) {
    auto& slot = slots_[static_cast<std::size_t>(kind)];
    if (!slot || !inScope(slot->scope, request)) {
        return std::nullopt;
    }
    const Fault taken = *slot;
    if (--slot->count == 0) {
        slot.reset();
    }
    return taken;
}

} // namespace vantrel::devsim
