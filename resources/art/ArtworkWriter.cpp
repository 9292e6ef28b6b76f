#include "ArtworkWriter.h"

#include "IcoFile.h"

#include <QBuffer>
#include <QFile>

namespace vantrel::art {

namespace {

QByteArray encode(const QImage& picture, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return picture.save(&buffer, format) ? bytes : QByteArray();
}

// Opaque pictures are stored without an alpha channel, the others with one.
QByteArray encodePng(const QImage& picture) {
    return encode(picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                    : QImage::Format_RGB32),
                  "PNG");
}

} // namespace

ArtworkWriter::ArtworkWriter(const QDir& resources) : resources_(resources) {
}

QString ArtworkWriter::prepare(const QString& folder, const QString& name) {
    if (!resources_.mkpath(folder)) {
        failures_ << resources_.filePath(folder);
    }
    return resources_.filePath(folder + QLatin1Char('/') + name);
}

void ArtworkWriter::write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        failures_ << path;
    }
}

void ArtworkWriter::writePng(int id, const QImage& picture) {
    const int scale = qRound(picture.devicePixelRatio());
    const QString name = scale == 1 ? QStringLiteral("%1.png").arg(id)
                                    : QStringLiteral("%1@%2x.png").arg(id).arg(scale);
    write(prepare(QStringLiteral("png"), name), encodePng(picture));
}

void ArtworkWriter::writeBitmap(int id, const QImage& picture) {
    write(prepare(QStringLiteral("bitmap"), QStringLiteral("%1.bmp").arg(id)),
          encode(picture.convertToFormat(QImage::Format_RGB888), "BMP"));
}

void ArtworkWriter::writeIcon(int id, const std::vector<QImage>& sizes) {
    std::vector<IcoImage> entries;
    for (const QImage& size : sizes) {
        const QByteArray png = encodePng(size);
        write(
            prepare(QStringLiteral("icon"), QStringLiteral("%1-%2.png").arg(id).arg(size.width())),
            png);
        entries.push_back({size.width(), png});
    }
    write(prepare(QStringLiteral("icon"), QStringLiteral("%1.ico").arg(id)), icoFile(entries));
}

} // namespace vantrel::art
