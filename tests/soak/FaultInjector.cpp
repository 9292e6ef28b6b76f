#include "tests/soak/FaultInjector.h"

#include "tests/soak/Bounds.h"

#include <array>

namespace vantrel::soak {

namespace {

using devsim::Fault;
using devsim::FaultKind;
using devsim::RequestScope;

// The ending codes 1 to 6 and 55, and codes the link repeats on: 31 (the device did not
// answer), 0 (a failure that carries no code), 121 and 1167.
constexpr std::array<std::uint32_t, 11> errorCodes = {1, 2, 3, 4, 5, 6, 55, 31, 0, 121, 1167};
constexpr std::array<RequestScope, 4> scopes = {RequestScope::All, RequestScope::Reads,
                                                RequestScope::Writes, RequestScope::Queries};

// More sends than the link makes before it gives up.
constexpr int OUTLASTING_COUNT = 150;

} // namespace

void FaultInjector::maybeInject() {
    if (!random_.chance(50)) {
        return;
    }
    for (int n = random_.between(1, 2); n > 0; --n) {
        const Fault fault = pick();
        receiver_.inject(fault);
        ++tally_.faultsInjected[static_cast<std::size_t>(fault.kind)];
        findings_.noteFault(fault);
    }
}

Fault FaultInjector::pick() {
    const int roll = random_.below(100);
    Fault fault;
    fault.scope = random_.pick(scopes);
    if (roll < 30) {
        fault.kind = FaultKind::Error;
        fault.error = random_.pick(errorCodes);
        fault.count = random_.chance(10) ? OUTLASTING_COUNT : random_.between(1, 4);
    } else if (roll < 50) {
        fault.kind = FaultKind::ShortCount;
        fault.count = random_.chance(10) ? OUTLASTING_COUNT : random_.between(1, 4);
    } else if (roll < 65) {
        fault.kind = FaultKind::ReadBackMismatch;
        fault.scope = RequestScope::Reads;
        fault.count = random_.between(1, 2);
    } else if (roll < 80) {
        fault.kind = FaultKind::Vanish;
    } else {
        fault.kind = FaultKind::Slow;
        fault.delay =
            std::chrono::milliseconds(random_.between(5, static_cast<int>(MAX_SLOW_DELAY.count())));
        fault.count = random_.between(1, 5);
    }
    return fault;
}

} // namespace vantrel::soak
