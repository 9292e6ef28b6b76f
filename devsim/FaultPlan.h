#pragma once

#include "devsim/Fault.h"
#include "devsim/RequestKind.h"

#include <array>
#include <optional>
#include <vector>

namespace vantrel::devsim {

// The faults waiting for requests, at most one of each kind. Not locked: the receiver's lock
// guards it.
class FaultPlan {
public:
    // Replaces a pending fault of the same kind; a count below 1 withdraws it.
    void add(const Fault& fault);
    void clear();
    std::vector<Fault> pending() const;

    // Uses up one turn of the pending fault of this kind when it lies in wait for the request.
    std::optional<Fault> take(FaultKind kind, RequestKind request);

private:
    std::array<std::optional<Fault>, FAULT_KIND_COUNT> slots_;
};

} // namespace vantrel::devsim
