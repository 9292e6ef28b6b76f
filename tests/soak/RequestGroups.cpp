#include "tests/soak/RequestGroups.h"

#include "tests/soak/Bounds.h"

namespace vantrel::soak {

std::vector<RequestGroup> groupRequests(const std::vector<LoggedRequest>& requests) {
    std::vector<RequestGroup> groups;
    for (const LoggedRequest& request : requests) {
        if (groups.empty() || groups.back().write != request.write ||
            groups.back().address != request.address) {
            groups.push_back({request.write, request.address, 0, request, false, false, false});
        }
        RequestGroup& group = groups.back();
        if (group.sends > 0) {
            group.repeatedAfterAnswer = group.repeatedAfterAnswer || group.last.acknowledged();
            group.repeatedAfterEnd = group.repeatedAfterEnd || endedByCode(group);
        }
        group.whileSampling = group.whileSampling || request.whileSampling;
        ++group.sends;
        group.last = request;
    }
    return groups;
}

bool endedByCode(const RequestGroup& group) {
    return group.write && !group.last.succeeded && isEndingCode(group.last.error);
}

bool gaveUp(const RequestGroup& group) {
    return !group.last.acknowledged() && group.sends >= LINK_MAX_SENDS;
}

bool failedForAReason(const RequestGroup& group) {
    return !group.last.acknowledged() && (endedByCode(group) || gaveUp(group));
}

std::string repetitionFault(const std::vector<RequestGroup>& groups) {
    for (const RequestGroup& group : groups) {
        if (group.sends > LINK_MAX_SENDS) {
            return describe(group) + " went beyond the link's bound";
        }
        if (group.repeatedAfterAnswer) {
            return describe(group) + " was sent again after its answer";
        }
        if (group.repeatedAfterEnd) {
            return describe(group) + " was sent again after an ending code";
        }
    }
    return {};
}

std::string samplingFault(const std::vector<RequestGroup>& groups,
                          const std::atomic<std::int32_t>& samplingEnabled) {
    for (const RequestGroup& group : groups) {
        if (group.whileSampling) {
            return describe(group) + " went out while sampling was enabled";
        }
    }
    return samplingEnabled == 1 ? std::string() : "sampling was not enabled again afterwards";
}

std::string describe(const RequestGroup& group) {
    return std::string(group.write ? "the write" : "the read") + " at " +
           std::to_string(group.address) + " (" + std::to_string(group.sends) +
           " sends, the last answered " + (group.last.succeeded ? "success" : "failure") +
           " with error " + std::to_string(group.last.error) + " and count " +
           std::to_string(group.last.count) + ")";
}

} // namespace vantrel::soak
