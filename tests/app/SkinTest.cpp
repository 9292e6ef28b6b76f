#include "skin/SkinDrawing.h"
#include "skin/SkinOverlay.h"
#include "skin/SkinPicture.h"
#include "tests/support/RecordingMessages.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

QRgb rowColour(const QImage& canvas, int x, int y) {
    return canvas.pixel(x, y) & 0xFFFFFF;
}

TEST(QualityGauge, RowsForAGaugeOf128) {
    const PixelRect gauge{10, 20, 18, 128}; // top 20, bottom 148
    const QRgb good = gaugeGoodColour.rgb() & 0xFFFFFF;
    const QRgb poor = gaugePoorColour.rgb() & 0xFFFFFF;
    const QRgb marker = 0xFFFFFF;
    struct Case {
        int value;
        int markerTop; // the marker's two rows start here
    };
    const Case cases[] = {{-50, 146}, {0, 104}, {100, 18}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        QImage canvas(64, 200, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::black);
        {
            QPainter painter(&canvas);
            drawQualityGauge(painter, gauge, c.value);
        }
        const int split = 20 + 85;
        for (int y = 0; y < 200; ++y) {
            QRgb expected = 0;
            if (y >= 20 && y < split) {
                expected = good;
            } else if (y >= split && y < 148) {
                expected = poor;
            }
            if (y == c.markerTop || y == c.markerTop + 1) {
                expected = marker;
            }
            ASSERT_EQ(rowColour(canvas, 10, y), expected) << "row " << y;
            ASSERT_EQ(rowColour(canvas, 27, y), expected) << "row " << y;
            ASSERT_EQ(rowColour(canvas, 28, y), 0u) << "the right edge is not filled";
        }
    }
}

TEST(SkinPictures, AMissingPictureStopsTheLoadingAfterOneMessage) {
    test::RecordingMessages messages;
    std::vector<QImage> table;
    const int ids[] = {171, 4242, 173};
    EXPECT_FALSE(loadSkinPictures(ids, messages, table));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{std::string(pictureNotFoundMessage)});
    ASSERT_EQ(table.size(), 1u) << "the pictures before it are kept, the later ones not loaded";
    EXPECT_EQ(table[0].format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(table[0].size(), QSize(82, 28));
}

TEST(SkinOverlay, KeepsOnlyTheBoxOfVisiblePixelsAndDrawsTheSame) {
    QImage full(800, 600, QImage::Format_ARGB32_Premultiplied);
    full.fill(Qt::transparent);
    full.setPixel(508, 119, qRgba(10, 200, 255, 255));
    full.setPixel(528, 138, qRgba(10, 200, 255, 128));
    const SkinOverlay overlay = SkinOverlay::fromFullPage(full);
    EXPECT_EQ(overlay.origin, QPoint(508, 119));
    EXPECT_EQ(overlay.pixels.size(), QSize(21, 20));

    QImage direct(800, 600, QImage::Format_ARGB32_Premultiplied);
    QImage cropped = direct;
    direct.fill(Qt::darkGray);
    cropped.fill(Qt::darkGray);
    {
        QPainter painter(&direct);
        drawPicture(painter, full, QRect(0, 0, 800, 600));
    }
    {
        QPainter painter(&cropped);
        drawOverlay(painter, overlay, QRect(0, 0, 800, 600));
    }
    EXPECT_EQ(direct, cropped);
    QImage empty(8, 8, QImage::Format_ARGB32_Premultiplied);
    empty.fill(Qt::transparent);
    EXPECT_TRUE(SkinOverlay::fromFullPage(empty).pixels.isNull());
}

} // namespace
} // namespace vantrel
