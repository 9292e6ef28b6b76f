#pragma once

#include "tests/soak/RequestLog.h"

#include <string>
#include <vector>

namespace vantrel::soak {

// One request with its repetitions: consecutive sends of the same request, as the link repeats
// it unchanged until it is answered, ends or gives up.
struct RequestGroup {
    bool write = false;
    std::uint16_t address = 0;
    int sends = 0;
    LoggedRequest last;
    bool repeatedAfterAnswer = false; // an acknowledged send was sent again
    bool repeatedAfterEnd = false;    // a write that failed with an ending code was sent again
    bool whileSampling = false;       // a send went out while report reads could start
};

std::vector<RequestGroup> groupRequests(const std::vector<LoggedRequest>& requests);

// The last send failed with an ending code, which ends a write at once.
bool endedByCode(const RequestGroup& group);
// The link sent as often as its bound allows and got no answer.
bool gaveUp(const RequestGroup& group);
// Why a request ended without an answer is understood: an ending code on a write, or the bound.
bool failedForAReason(const RequestGroup& group);

// What is wrong with the repetitions, or nothing: more sends than the bound, or a send repeated
// after its answer or after an ending code.
std::string repetitionFault(const std::vector<RequestGroup>& groups);

// A page's requests go out with sampling paused, and it is resumed afterwards; or nothing.
std::string samplingFault(const std::vector<RequestGroup>& groups,
                          const std::atomic<std::int32_t>& samplingEnabled);

std::string describe(const RequestGroup& group);

} // namespace vantrel::soak
