#pragma once

#include "skin/AccessibleItem.h"

#include <span>
#include <vector>

namespace vantrel {

// What changed of one item between two descriptions of a page.
struct AccessibleChange {
    int index = 0;
    bool name = false;
    bool description = false;
    bool states = false;
    bool value = false;
    friend bool operator==(const AccessibleChange&, const AccessibleChange&) = default;
};

// The items whose name, description, states or value differ, in list order. Both lists describe
// the same page, item for item; where one is longer, its extra items are not compared.
std::vector<AccessibleChange> accessibleChanges(std::span<const AccessibleItem> before,
                                                std::span<const AccessibleItem> after);

} // namespace vantrel
