#include "devsim/Fault.h"

namespace vantrel::devsim {

namespace {

std::string requestsText(int count, RequestScope scope) {
    const bool one = count == 1;
    switch (scope) {
    case RequestScope::Reads:
        return one ? "read" : "reads";
    case RequestScope::Writes:
        return one ? "write" : "writes";
    case RequestScope::Queries:
        return one ? "mode query" : "mode queries";
    case RequestScope::All:
        break;
    }
    return one ? "request" : "requests";
}

std::string nextText(int count, RequestScope scope) {
    const std::string amount = count == 1 ? "" : std::to_string(count) + " ";
    return "the next " + amount + requestsText(count, scope);
}

} // namespace

std::string describeFault(const Fault& fault) {
    switch (fault.kind) {
    case FaultKind::Error:
        return "error " + std::to_string(fault.error) + " for " +
               nextText(fault.count, fault.scope);
    case FaultKind::ShortCount:
        return "short counts for " + nextText(fault.count, fault.scope);
    case FaultKind::ReadBackMismatch:
        return "changed button map for " + nextText(fault.count, RequestScope::Reads) + " of it";
    case FaultKind::Vanish:
        return "unplug during " + nextText(fault.count, fault.scope);
    case FaultKind::Slow:
        return std::to_string(fault.delay.count()) + " ms delay for " +
               nextText(fault.count, fault.scope);
    }
    return {};
}

} // namespace vantrel::devsim
