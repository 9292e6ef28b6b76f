#include "skin/AccessibleChanges.h"

#include <gtest/gtest.h>

namespace vantrel::test {
namespace {

AccessibleItem labelItem() {
    AccessibleItem item(AccessibleRole::PushButton, "LB", {348, 442, 100, 26});
    item.description = "Space";
    return item;
}

TEST(AccessibleChangesTest, EachKindOfChangeIsToldApart) {
    struct Case {
        const char* what;
        void (*change)(AccessibleItem&);
        AccessibleChange expected;
    };
    const Case cases[] = {
        {"name", [](AccessibleItem& i) { i.name = "LT"; }, {1, true, false, false, false}},
        {"description",
         [](AccessibleItem& i) { i.description = "???"; },
         {1, false, true, false, false}},
        {"states",
         [](AccessibleItem& i) { i.states.capturing = true; },
         {1, false, false, true, false}},
        {"value",
         [](AccessibleItem& i) {
             i.value = AccessibleValue{45, -50, 100};
         },
         {1, false, false, false, true}},
    };
    for (const Case& c : cases) {
        const std::vector<AccessibleItem> before{labelItem(), labelItem(), labelItem()};
        std::vector<AccessibleItem> after = before;
        c.change(after[1]);
        EXPECT_EQ(accessibleChanges(before, after), std::vector<AccessibleChange>{c.expected})
            << c.what;
    }
}

TEST(AccessibleItemTest, TheBoundingRectangleSkipsEmptyOnes) {
    const PixelRect rects[] = {{}, {508, 226, 22, 24}, {0, 0, 0, 5}, {508, 116, 22, 24}};
    EXPECT_EQ(boundingRect(rects), (PixelRect{508, 116, 22, 134}));
    EXPECT_TRUE(boundingRect(std::span<const PixelRect>{}).empty());
}

} // namespace
} // namespace vantrel::test
