#include "skin/AccessibleChanges.h"

#include <algorithm>

namespace vantrel {

std::vector<AccessibleChange> accessibleChanges(std::span<const AccessibleItem> before,
                                                std::span<const AccessibleItem> after) {
    std::vector<AccessibleChange> changes;
    const std::size_t count = std::min(before.size(), after.size());
    for (std::size_t i = 0; i < count; ++i) {
        const AccessibleItem& old = before[i];
        const AccessibleItem& now = after[i];
        const AccessibleChange change{static_cast<int>(i), old.name != now.name,
                                      old.description != now.description, old.states != now.states,
                                      old.value != now.value};
        if (change.name || change.description || change.states || change.value) {
            changes.push_back(change);
        }
    }
    return changes;
}

} // namespace vantrel
