#include "tests/a11y/PageFixture.h"

namespace vantrel::test {

namespace {

constexpr int TAB_AREA_1_CONTROL = 1029;
constexpr int TAB_AREA_2_CONTROL = 1030;

SkinImage onePixel() {
    const std::uint32_t pixel = 0xFF202020;
    return SkinImage::fromStraightArgb(1, 1, std::span(&pixel, 1));
}

} // namespace

ResourceBytes OnePixelResources::findPicture(int) {
    if (missing) {
        return {ResourceLookup::NotFound, {}};
    }
    return {ResourceLookup::Found, {0x89, 'P', 'N', 'G'}};
}

SkinImage OnePixelResources::decodePicture(std::span<const std::uint8_t>) {
    return onePixel();
}

SkinImage OnePixelResources::loadBitmap(int) {
    return onePixel();
}

PixelRect RecordingShell::tabArea(SetupPage page) const {
    return controlRect(dialogTemplate(MAIN_DIALOG),
                       page == SetupPage::Pc ? TAB_AREA_1_CONTROL : TAB_AREA_2_CONTROL);
}

int indexOf(const std::vector<AccessibleItem>& items, std::string_view name, int group) {
    int found = -1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const bool inGroup = group == NO_ACCESSIBLE_PARENT || items[i].parent == group;
        if (items[i].name == name && inGroup) {
            EXPECT_EQ(found, -1) << "two items are named " << name;
            found = static_cast<int>(i);
        }
    }
    EXPECT_GE(found, 0) << "no item is named " << name;
    return found;
}

} // namespace vantrel::test
