// Draws every picture of the skin and writes it into the resource folders.
//
//   vantrel-artgen <resources folder>

#include "AppIcon.h"
#include "ArtworkWriter.h"
#include "ButtonFaces.h"
#include "ButtonIcons.h"
#include "Inventory.h"
#include "KeyHighlights.h"
#include "Lamps.h"
#include "Painting.h"
#include "PcSetupBackground.h"
#include "X360Background.h"

#include <QGuiApplication>
#include <QTextStream>

using namespace vantrel::art;

namespace {

// Writes the pictures of a table, entry i made by make(i).
template <std::size_t count, typename Make>
void writeTable(ArtworkWriter& writer, const std::array<int, count>& ids, Make make) {
    for (std::size_t index = 0; index < count; ++index) {
        writer.writePng(ids[index], make(static_cast<int>(index)));
    }
}

void writePictures(ArtworkWriter& writer) {
    writeTable(writer, inventory::PC_BUTTON_FACES, pcButtonFace);
    writer.writePng(inventory::PC_BACKGROUND, pcSetupBackground());

    writeTable(writer, inventory::KEY_HIGHLIGHTS, keyHighlight);
    writer.writePng(inventory::X360_BACKGROUND, x360Background());
    writeTable(writer, inventory::BUTTON_ICONS, buttonIcon);
    writeTable(writer, inventory::SENSITIVITY_LAMPS, litSensitivityLamp);
    writeTable(writer, inventory::FIRING_LAMPS, litFiringLamp);
    writeTable(writer, inventory::COMMAND_FACES, commandFace);
}

void writeAll(ArtworkWriter& writer) {
    for (const int scale : {1, 2}) {
        setDrawingScale(scale);
        writePictures(writer);
    }
    setDrawingScale(1);

    // One flat colour: the pages copy it at any scale without losing anything.
    QImage highlight(100, 27, QImage::Format_RGB32);
    highlight.fill(QColor(200, 200, 200));
    writer.writeBitmap(inventory::HOVER_HIGHLIGHT, highlight);

    // The icon comes in sizes of its own.
    std::vector<QImage> icons;
    for (const int side : inventory::APP_ICON_SIDES) {
        icons.push_back(appIcon(side));
    }
    writer.writeIcon(inventory::APP_ICON, icons);
}

} // namespace

int main(int argc, char* argv[]) {
    // Nothing is shown: the pictures are drawn off screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTextStream errors(stderr);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2) {
        errors << "usage: vantrel-artgen <resources folder>\n";
        return 2;
    }

    ArtworkWriter writer{QDir(arguments.at(1))};
    writeAll(writer);

    for (const QString& failure : writer.failures()) {
        errors << "could not write " << failure << '\n';
    }
    return writer.failures().isEmpty() ? 0 : 1;
}
