#include "IcoFile.h"

#include <QDataStream>
#include <QIODevice>

namespace vantrel::art {

QByteArray icoFile(const std::vector<IcoImage>& images) {
    constexpr quint32 headerSize = 6;
    constexpr quint32 entrySize = 16;
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());

    quint32 offset = headerSize + entrySize * static_cast<quint32>(images.size());
    for (const IcoImage& image : images) {
        // A side of 256 is written as 0, for the field is one byte.
        const auto side = static_cast<quint8>(image.side % 256);
        out << side << side << quint8(0) << quint8(0) << quint16(1) << quint16(32)
            << quint32(image.png.size()) << offset;
        offset += static_cast<quint32>(image.png.size());
    }
    for (const IcoImage& image : images) {
        out.writeRawData(image.png.constData(), static_cast<int>(image.png.size()));
    }
    return file;
}

} // namespace vantrel::art
