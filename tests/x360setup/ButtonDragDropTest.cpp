#include "x360setup/ButtonDragDrop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace vantrel {
namespace {

// Keys in a row along the top, homes in a row further down, every square 30 by 30.
constexpr PixelRect keySquare(int key) {
    return {40 * key, 0, 30, 30};
}
constexpr PixelRect homeSquare(int code) {
    return {40 * code, 100, 30, 30};
}
constexpr PixelRect hoverArea{0, 0, 640, 600};

PixelRect grownBy10(const PixelRect& rect) {
    return {rect.left - 10, rect.top - 10, rect.width + 20, rect.height + 20};
}

class ButtonDragDropTest : public ::testing::Test {
protected:
    void SetUp() override {
        KeyRects keys{};
        IconRects homes{};
        for (int i = 0; i < X360_KEY_COUNT; ++i) {
            keys[static_cast<std::size_t>(i)] = keySquare(i);
            homes[static_cast<std::size_t>(i)] = homeSquare(i);
        }
        dragDrop.setGeometry(keys, homes, hoverArea);
    }

    // The areas asked for since the last call, in no particular order.
    std::vector<PixelRect> takeRepaints() {
        std::vector<PixelRect> taken;
        taken.swap(repaints);
        return taken;
    }
    static bool asked(const std::vector<PixelRect>& areas, const PixelRect& area) {
        return std::find(areas.begin(), areas.end(), area) != areas.end();
    }

    X360Settings settings;
    std::vector<PixelRect> repaints;
    ButtonDragDrop dragDrop{settings, [this](const PixelRect& rect) { repaints.push_back(rect); }};
};

TEST_F(ButtonDragDropTest, MovesRepaintTheOldPlaceGrownAndTheNewAndTheHighlightOnlyWhenItChanges) {
    ASSERT_TRUE(dragDrop.takeUp(45, 115)); // code 1 at home, 5 pixels in from its corner
    const PixelRect underPointer{33, 103, 30, 30};
    EXPECT_EQ(dragDrop.iconRect()[1], underPointer) << "held 12 pixels in from its corner";
    EXPECT_EQ(takeRepaints(), (std::vector{grownBy10(homeSquare(1)), underPointer}));

    struct Step {
        int x, y;
        int hoverKey;
        bool highlightRepainted;
    };
    const Step steps[] = {
        {95, 15, 2, true},   // onto key 2
        {99, 19, 2, false},  // within it
        {135, 15, 3, true},  // onto key 3
        {135, 60, -1, true}, // off every key
        {135, 70, -1, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.x * 1000 + step.y);
        const PixelRect before = dragDrop.iconRect()[1];
        dragDrop.drag(step.x, step.y);
        const std::vector<PixelRect> areas = takeRepaints();
        EXPECT_EQ(dragDrop.hoverKey(), step.hoverKey);
        EXPECT_TRUE(asked(areas, grownBy10(before)));
        EXPECT_TRUE(asked(areas, dragDrop.iconRect()[1]));
        EXPECT_EQ(asked(areas, hoverArea), step.highlightRepainted);
    }
}

TEST_F(ButtonDragDropTest, ADropSendsTheKeysIconHomeAndRepaintsBothOfTheirPlaces) {
    dragDrop.placeOnKeys();
    ASSERT_TRUE(dragDrop.takeUp(5, 5)); // icon 0 from key 0
    dragDrop.drag(95, 15);
    const PixelRect dragged = dragDrop.iconRect()[0];
    takeRepaints();

    dragDrop.drop(95, 15);
    const std::vector<PixelRect> areas = takeRepaints();
    for (const PixelRect& area : {keySquare(2), homeSquare(2), dragged, hoverArea}) {
        EXPECT_TRUE(asked(areas, area)) << area.left << "," << area.top;
    }
    EXPECT_EQ(dragDrop.iconRect()[0], keySquare(2));
    EXPECT_EQ(dragDrop.iconRect()[2], homeSquare(2));
    EXPECT_EQ(settings.buttonMap[0], NO_BUTTON);
    EXPECT_EQ(settings.buttonMap[2], 0);
    EXPECT_FALSE(dragDrop.dragging());
}

TEST_F(ButtonDragDropTest, BytesThatNameNoButtonMoveNoIcon) {
    // Key 4 holds a byte above 13 and code 9 is on two keys.
    settings.buttonMap[4] = 200;
    settings.buttonMap[2] = 9;
    dragDrop.placeOnKeys();
    EXPECT_EQ(dragDrop.iconRect()[4], homeSquare(4)) << "its code is on no key";
    EXPECT_EQ(dragDrop.iconRect()[2], homeSquare(2)) << "its code is on no key";
    EXPECT_EQ(dragDrop.iconRect()[9], keySquare(9)) << "the higher key wins";

    ASSERT_TRUE(dragDrop.takeUp(45, 5)); // icon 1 from key 1
    dragDrop.drop(165, 5);               // onto key 4
    EXPECT_EQ(settings.buttonMap[4], 1);
    IconRects expected{};
    for (int code = 0; code < X360_BUTTON_COUNT; ++code) {
        expected[static_cast<std::size_t>(code)] =
            code == 2 || code == 4 ? homeSquare(code) : keySquare(code);
    }
    expected[1] = keySquare(4);
    EXPECT_EQ(dragDrop.iconRect(), expected) << "the byte displaced sends no icon home";
}

} // namespace
} // namespace vantrel
