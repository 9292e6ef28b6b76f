// Compares two screenshots of the same page, from the two programs, for the same device state:
// every pixel outside the page's texts must be equal, since both programs compose the pictures
// with the same code; inside the texts each host's font rasteriser draws.
//
//   page-compare pc|x360 FIRST.png SECOND.png [DIFFERENCE.png]
//
// Prints the counts and exits 0 when nothing outside the texts differs.
#include "pcsetup/LabelledSlots.h"
#include "resources/templates/DialogTemplate.h"

#include <QImage>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using vantrel::PixelRect;

// A text may reach a little past its control, and a wrapped help line below it.
constexpr int TEXT_MARGIN = 3;

PixelRect grown(const PixelRect& rect, int below) {
    return {rect.left - TEXT_MARGIN, rect.top - TEXT_MARGIN, rect.width + 2 * TEXT_MARGIN,
            rect.height + 2 * TEXT_MARGIN + below};
}

std::vector<PixelRect> textAreas(bool pcPage) {
    using namespace vantrel;
    const DialogTemplate& layout = dialogTemplate(pcPage ? PC_SETUP_DIALOG : X360_SETUP_DIALOG);
    std::vector<PixelRect> areas;
    if (pcPage) {
        for (const LabelledSlot& entry : LABELLED_SLOTS) {
            areas.push_back(grown(controlRect(layout, entry.placeHolderId), 0));
        }
        areas.push_back(grown(controlRect(layout, 1026), 0));
        areas.push_back(grown(controlRect(layout, 1005), 20));
    } else {
        areas.push_back(grown(controlRect(layout, 1064), 0));
        areas.push_back(grown(controlRect(layout, 1078), 20));
    }
    return areas;
}

bool inText(const std::vector<PixelRect>& areas, int x, int y) {
    for (const PixelRect& area : areas) {
        if (area.contains(x, y)) {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4 || (std::strcmp(argv[1], "pc") != 0 && std::strcmp(argv[1], "x360") != 0)) {
        std::fputs("usage: page-compare pc|x360 FIRST.png SECOND.png [DIFFERENCE.png]\n", stderr);
        return 2;
    }
    const QImage first = QImage(argv[2]).convertToFormat(QImage::Format_RGB32);
    const QImage second = QImage(argv[3]).convertToFormat(QImage::Format_RGB32);
    if (first.isNull() || second.isNull() || first.size() != second.size()) {
        std::fprintf(stderr, "page-compare: %s and %s are not two pictures of one size\n", argv[2],
                     argv[3]);
        return 2;
    }
    const std::vector<PixelRect> areas = textAreas(std::strcmp(argv[1], "pc") == 0);
    QImage difference(first.size(), QImage::Format_RGB32);
    difference.fill(Qt::black);
    long outside = 0;
    long inside = 0;
    long compared = 0;
    for (int y = 0; y < first.height(); ++y) {
        for (int x = 0; x < first.width(); ++x) {
            const bool text = inText(areas, x, y);
            compared += text ? 0 : 1;
            if (first.pixel(x, y) == second.pixel(x, y)) {
                continue;
            }
            (text ? inside : outside) += 1;
            difference.setPixel(x, y, text ? qRgb(80, 80, 80) : qRgb(255, 0, 0));
        }
    }
    std::printf("%s: %ld of %ld pixels outside the texts differ; %ld pixels differ inside them\n",
                argv[1], outside, compared, inside);
    if (argc > 4) {
        difference.save(argv[4]);
    }
    return outside == 0 ? 0 : 1;
}
