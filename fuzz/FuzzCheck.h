#pragma once

#include <cstdio>
#include <cstdlib>

namespace vantrel::fuzz {

// A broken property is a finding: it is named on stderr and the run stops at once, so that the
// fuzzer keeps the input that broke it.
inline void require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "broken property: %s\n", property);
        std::abort();
    }
}

} // namespace vantrel::fuzz
