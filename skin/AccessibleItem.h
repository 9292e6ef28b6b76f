#pragma once

#include "resources/templates/DialogTemplate.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>

namespace vantrel {

// What kind of thing an item of a page is, as assistive technology names it.
enum class AccessibleRole {
    PushButton,
    Label,
    StatusText,
    Gauge,
    PageTabList,
    PageTab,
    RadioGroup,
    RadioButton,
    Picture,
};

struct AccessibleStates {
    bool hovered = false;   // under the pointer, as the page shows it
    bool capturing = false; // a label waiting for the key press it will take
    bool pressed = false;   // a button held down, or an icon being dragged
    bool checked = false;   // the lit lamp of its group
    bool selected = false;  // the tab of the page shown
    friend bool operator==(const AccessibleStates&, const AccessibleStates&) = default;
};

// A reading shown on a scale.
struct AccessibleValue {
    std::int32_t current = 0;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    friend bool operator==(const AccessibleValue&, const AccessibleValue&) = default;
};

inline constexpr int NO_ACCESSIBLE_PARENT = -1;

// One thing a page shows, described without any toolkit so that each host can hand it to its
// platform's assistive technology: a screen reader reads the page from these, and runs an item's
// action where a sighted user would click.
struct AccessibleItem {
    AccessibleItem(AccessibleRole role, std::string name, const PixelRect& rect)
        : role(role), name(std::move(name)), rect(rect) {}

    AccessibleRole role;
    std::string name;
    std::string description;
    AccessibleStates states;
    PixelRect rect;                    // in page pixels
    bool hasAction = false;            // a click on it does something
    int parent = NO_ACCESSIBLE_PARENT; // the index of the group holding it, in the same list
    std::optional<AccessibleValue> value;
    friend bool operator==(const AccessibleItem&, const AccessibleItem&) = default;
};

// The smallest rectangle holding all of them; empty rectangles count for nothing.
constexpr PixelRect boundingRect(std::span<const PixelRect> rects) {
    PixelRect result;
    for (const PixelRect& rect : rects) {
        if (rect.empty()) {
            continue;
        }
        if (result.empty()) {
            result = rect;
            continue;
        }
        const int left = std::min(rect.left, result.left);
        const int top = std::min(rect.top, result.top);
        const int right = std::max(rect.right(), result.right());
        const int bottom = std::max(rect.bottom(), result.bottom());
        result = {left, top, right - left, bottom - top};
    }
    return result;
}

} // namespace vantrel
