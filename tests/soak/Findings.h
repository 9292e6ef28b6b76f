#pragma once

#include "devsim/Fault.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace vantrel::soak {

// The invariant failures of the run. Each names the cycle, the seed and the faults that were
// in play, so that the run can be repeated and the failure read without a debugger.
class Findings {
public:
    explicit Findings(std::uint64_t seed) : seed_(seed) {}

    // The faults still waiting in the receiver from earlier cycles come into play too.
    void beginCycle(int cycle, const std::vector<devsim::Fault>& carriedOver);
    void noteFault(const devsim::Fault& fault);

    // Reports a broken invariant as a test failure at once.
    void fail(const std::string& what);

    int count() const;
    // The cycle, the seed and the faults; safe to call from any thread.
    std::string context() const;

private:
    const std::uint64_t seed_;
    mutable std::mutex mutex_;
    int cycle_ = 0;
    std::vector<std::string> injected_;
    std::vector<std::string> carriedOver_;
    int count_ = 0;
};

} // namespace vantrel::soak
