#include <QColor>
#include <QFile>
#include <QImage>
#include <QRect>
#include <QString>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

namespace {

QImage png(int id) {
    return QImage(QStringLiteral(":/PNG/%1").arg(id));
}

bool anyAlpha(const QImage& image, const std::function<bool(int)>& test) {
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            if (test(qAlpha(pixels.pixel(x, y)))) {
                return true;
            }
        }
    }
    return false;
}

// The bounding box of the pixels that show anything.
QRect litArea(const QImage& image) {
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    QRect area;
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            if (qAlpha(pixels.pixel(x, y)) > 0) {
                area |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}

std::string describe(const QRect& rect) {
    return QStringLiteral("%1,%2 to %3,%4")
        .arg(rect.left())
        .arg(rect.top())
        .arg(rect.right())
        .arg(rect.bottom())
        .toStdString();
}

struct Picture {
    int id;
    int width;
    int height;
    bool alpha;
};

constexpr bool ALPHA = true;
constexpr bool OPAQUE = false;

const Picture PICTURES[] = {
    // PC Setup: the five raised button faces and the background.
    {171, 82, 28, ALPHA},
    {173, 82, 28, ALPHA},
    {175, 82, 28, ALPHA},
    {174, 123, 35, ALPHA},
    {172, 123, 35, ALPHA},
    {221, 800, 600, OPAQUE},
    // XBox 360 Setup: key highlights 0 to 13, the background, icons of codes 0 to 13, lamps,
    // raised command faces.
    {180, 800, 600, ALPHA},
    {178, 800, 600, ALPHA},
    {179, 800, 600, ALPHA},
    {191, 800, 600, ALPHA},
    {189, 800, 600, ALPHA},
    {188, 800, 600, ALPHA},
    {190, 800, 600, ALPHA},
    {181, 800, 600, ALPHA},
    {182, 800, 600, ALPHA},
    {184, 800, 600, ALPHA},
    {185, 800, 600, ALPHA},
    {186, 800, 600, ALPHA},
    {187, 800, 600, ALPHA},
    {183, 800, 600, ALPHA},
    {192, 800, 600, OPAQUE},
    {195, 28, 28, OPAQUE},
    {193, 28, 28, OPAQUE},
    {194, 28, 28, OPAQUE},
    {199, 28, 28, OPAQUE},
    {200, 28, 28, OPAQUE},
    {201, 28, 28, OPAQUE},
    {202, 28, 28, OPAQUE},
    {196, 28, 28, OPAQUE},
    {197, 28, 28, OPAQUE},
    {205, 28, 28, OPAQUE},
    {204, 28, 28, OPAQUE},
    {206, 28, 28, OPAQUE},
    {203, 28, 28, OPAQUE},
    {198, 28, 28, OPAQUE},
    {209, 800, 600, ALPHA},
    {208, 800, 600, ALPHA},
    {207, 800, 600, ALPHA},
    {1100, 800, 600, ALPHA},
    {1099, 800, 600, ALPHA},
    {1098, 800, 600, ALPHA},
    {210, 800, 600, ALPHA},
    {211, 800, 600, ALPHA},
    {212, 800, 600, ALPHA},
    {213, 800, 600, ALPHA},
    {214, 800, 600, ALPHA},
    {215, 800, 600, ALPHA},
    {218, 800, 600, ALPHA},
    {216, 800, 600, ALPHA},
    {217, 800, 600, ALPHA},
    {220, 800, 600, ALPHA},
    {219, 800, 600, ALPHA},
};

void PrintTo(const Picture& picture, std::ostream* out) {
    *out << "PNG " << picture.id;
}

class PictureTest : public testing::TestWithParam<Picture> {};

TEST_P(PictureTest, IsThereWithItsSizeAndTransparency) {
    const Picture expected = GetParam();
    const QImage picture = png(expected.id);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.width(), expected.width);
    EXPECT_EQ(picture.height(), expected.height);
    EXPECT_EQ(picture.hasAlphaChannel(), expected.alpha);
    if (expected.alpha) {
        EXPECT_TRUE(anyAlpha(picture, [](int alpha) { return alpha == 0; }));
        EXPECT_TRUE(anyAlpha(picture, [](int alpha) { return alpha > 0; }));
    }
}

INSTANTIATE_TEST_SUITE_P(Inventory, PictureTest, testing::ValuesIn(PICTURES),
                         [](const auto& info) { return "png" + std::to_string(info.param.id); });

struct LitElement {
    int id;
    QRect bounds;      // inclusive pixel bounds the visible pixels must keep to
    QRect repaintedBy; // the page's area whose repaint draws the element again, or takes it away
};

QRect inclusive(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// An area of the page template given by its edges, the right and bottom edge outside it.
QRect edges(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

QRect firingLamp(int top) {
    return inclusive(602, top, 621, top + 13);
}

// The page repaints only its left four fifths when the key highlight changes.
const QRect KEY_HIGHLIGHT_AREA = inclusive(0, 0, 639, 599);
// A command's press and its release repaint the whole page.
const QRect WHOLE_PAGE = edges(0, 0, 800, 600);

const LitElement LIT_ELEMENTS[] = {
    {207, inclusive(508, 119, 528, 138), edges(508, 116, 530, 140)}, // sensitivity High
    {208, inclusive(508, 174, 528, 193), edges(508, 172, 530, 196)}, // Mid
    {209, inclusive(508, 228, 528, 247), edges(508, 226, 530, 250)}, // Low
    {215, firingLamp(117), edges(602, 116, 622, 132)},               // 10 per second
    {214, firingLamp(132), edges(602, 132, 622, 148)},
    {213, firingLamp(147), edges(602, 146, 622, 162)},
    {212, firingLamp(162), edges(602, 162, 622, 178)},
    {211, firingLamp(177), edges(602, 176, 622, 192)},
    {210, firingLamp(192), edges(602, 192, 622, 208)},
    {1098, firingLamp(207), edges(602, 206, 622, 222)},
    {1099, firingLamp(222), edges(602, 222, 622, 238)},
    {1100, firingLamp(237), edges(602, 236, 622, 252)}, // 2 per second
    {218, inclusive(497, 486, 579, 514), WHOLE_PAGE},   // Reset
    {216, inclusive(588, 486, 670, 514), WHOLE_PAGE},   // Reload
    {217, inclusive(679, 486, 760, 513), WHOLE_PAGE},   // Default
    {220, inclusive(602, 548, 684, 576), WHOLE_PAGE},   // SAVE
    {219, inclusive(692, 547, 774, 575), WHOLE_PAGE},   // EXIT
    {180, KEY_HIGHLIGHT_AREA, KEY_HIGHLIGHT_AREA},
    {178, KEY_HIGHLIGHT_AREA, KEY_HIGHLIGHT_AREA},
    {179, KEY_HIGHLIGHT_AREA, KEY_HIGHLIGHT_AREA},
    {191, KEY_HIGHLIGHT_AREA, KEY_HIGHLIGHT_AREA},
    {189, KEY_HIGHLIGHT_AREA, KEY_HIGHLIGHT_AREA},
    {188, KEY_HIGHLIGHT_AREA, KEY_HIGHLIGHT_AREA},
    {190, KEY_HIGHLIGHT_AREA, KEY_HIGHLIGHT_AREA},
    {181, KEY_HIGHLIGHT_AREA, KEY_HIGHLIGHT_AREA},
    {182, KEY_HIGHLIGHT_AREA, KEY_HIGHLIGHT_AREA},
    {184, KEY_HIGHLIGHT_AREA, KEY_HIGHLIGHT_AREA},
    {185, KEY_HIGHLIGHT_AREA, KEY_HIGHLIGHT_AREA},
    {186, KEY_HIGHLIGHT_AREA, KEY_HIGHLIGHT_AREA},
    {187, KEY_HIGHLIGHT_AREA, KEY_HIGHLIGHT_AREA},
    {183, KEY_HIGHLIGHT_AREA, KEY_HIGHLIGHT_AREA},
};

void PrintTo(const LitElement& element, std::ostream* out) {
    *out << "PNG " << element.id;
}

class LitElementTest : public testing::TestWithParam<LitElement> {};

TEST_P(LitElementTest, ShowsOnlyInsideItsRectangle) {
    const LitElement expected = GetParam();
    const QRect lit = litArea(png(expected.id));
    ASSERT_FALSE(lit.isEmpty());
    EXPECT_TRUE(expected.bounds.contains(lit))
        << "lit " << describe(lit) << ", allowed " << describe(expected.bounds);
}

// What a repaint of the element's area does not reach would stay on screen after it went out.
TEST_P(LitElementTest, LiesWhollyInTheAreaThatRepaintsIt) {
    const LitElement expected = GetParam();
    const QRect lit = litArea(png(expected.id));
    ASSERT_FALSE(lit.isEmpty());
    EXPECT_TRUE(expected.repaintedBy.contains(lit))
        << "lit " << describe(lit) << ", repainted " << describe(expected.repaintedBy);
}

INSTANTIATE_TEST_SUITE_P(Overlays, LitElementTest, testing::ValuesIn(LIT_ELEMENTS),
                         [](const auto& info) { return "png" + std::to_string(info.param.id); });

struct TextBox {
    const char* name;
    int background;
    QRect area;
};

// Areas the program writes white text into: they must be dark and plain inside their rims.
const TextBox TEXT_BOXES[] = {
    {"DpadDown", 221, {18, 224, 102, 28}},
    {"DpadLeft", 221, {18, 178, 102, 28}},
    {"LT", 221, {348, 488, 100, 26}},
    {"LB", 221, {348, 442, 100, 26}},
    {"Guide", 221, {18, 424, 100, 26}},
    {"StickPress", 221, {348, 396, 102, 28}},
    {"Back", 221, {18, 86, 102, 28}},
    {"StickLeft", 221, {348, 340, 102, 28}},
    {"StickRight", 221, {348, 368, 102, 28}},
    {"StickUp", 221, {348, 284, 102, 28}},
    {"StickDown", 221, {348, 312, 102, 28}},
    {"DpadRight", 221, {18, 274, 102, 28}},
    {"DpadUp", 221, {18, 132, 102, 28}},
    {"X", 221, {674, 202, 102, 28}},
    {"Y", 221, {674, 256, 102, 28}},
    {"B", 221, {674, 92, 102, 28}},
    {"A", 221, {674, 146, 102, 28}},
    {"Start", 221, {446, 90, 102, 28}},
    {"PcQualityNumber", 221, {316, 162, 46, 16}},
    {"PcHelpLine", 221, {172, 542, 328, 48}},
    {"X360QualityNumber", 192, inclusive(742, 174, 783, 197)},
    {"X360HelpLine", 192, inclusive(198, 542, 577, 597)},
};

void PrintTo(const TextBox& box, std::ostream* out) {
    *out << box.name << " on PNG " << box.background;
}

class TextBoxTest : public testing::TestWithParam<TextBox> {};

TEST_P(TextBoxTest, IsDarkAndPlain) {
    const TextBox box = GetParam();
    const QImage page = png(box.background);
    const QRect inside = box.area.adjusted(1, 1, -1, -1);
    const QRgb ground = page.pixel(inside.topLeft());
    EXPECT_LT(qGray(ground), 48);
    int mismatches = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            mismatches += page.pixel(x, y) != ground ? 1 : 0;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(Backgrounds, TextBoxTest, testing::ValuesIn(TEXT_BOXES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HoverHighlight, IsA24BitBlockOfGrey200) {
    QFile file(QStringLiteral(":/BITMAP/143"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GT(bytes.size(), 30);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(static_cast<unsigned char>(bytes.at(28)), 24); // bits per pixel

    const QImage block = QImage::fromData(bytes, "BMP");
    ASSERT_EQ(block.size(), QSize(100, 27));
    for (int y = 0; y < block.height(); ++y) {
        for (int x = 0; x < block.width(); ++x) {
            ASSERT_EQ(block.pixel(x, y), qRgb(200, 200, 200)) << "at " << x << "," << y;
        }
    }
}

const int ICON_SIDES[] = {16, 24, 32, 48, 64, 128, 256};

TEST(ApplicationIcon, IsThereInEverySize) {
    for (const int side : ICON_SIDES) {
        const QImage icon(QStringLiteral(":/ICON/153/%1").arg(side));
        EXPECT_EQ(icon.width(), side);
        EXPECT_EQ(icon.height(), side);
        EXPECT_TRUE(icon.hasAlphaChannel()) << side;
    }
}

quint32 littleEndian(const QByteArray& bytes, int offset, int length) {
    quint32 value = 0;
    for (int index = length - 1; index >= 0; --index) {
        value = value << 8 | static_cast<unsigned char>(bytes.at(offset + index));
    }
    return value;
}

TEST(ApplicationIcon, IcoFileHoldsEverySizeAsPng) {
    QFile file(QStringLiteral(VANTREL_ICON_FILE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray ico = file.readAll();
    ASSERT_GE(ico.size(), 6);
    EXPECT_EQ(littleEndian(ico, 2, 2), 1u); // an icon, not a cursor
    ASSERT_EQ(littleEndian(ico, 4, 2), std::size(ICON_SIDES));
    for (std::size_t entry = 0; entry < std::size(ICON_SIDES); ++entry) {
        const int at = 6 + 16 * static_cast<int>(entry);
        ASSERT_GE(ico.size(), at + 16);
        const int side = ICON_SIDES[entry];
        EXPECT_EQ(littleEndian(ico, at, 1), static_cast<quint32>(side % 256));
        const auto size = static_cast<int>(littleEndian(ico, at + 8, 4));
        const auto offset = static_cast<int>(littleEndian(ico, at + 12, 4));
        ASSERT_LE(offset + size, ico.size());
        const QImage image = QImage::fromData(ico.mid(offset, size), "PNG");
        EXPECT_EQ(image.width(), side);
        EXPECT_EQ(image.height(), side);
    }
}

} // namespace
