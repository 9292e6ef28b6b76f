#pragma once

#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

namespace vantrel::art {

// Writes the made pictures into the resource folders under their resource ids: png/<id>.png (and
// png/<id>@2x.png for a picture drawn at scale 2), bitmap/<id>.bmp, icon/<id>-<size>.png and
// icon/<id>.ico.
class ArtworkWriter {
public:
    explicit ArtworkWriter(const QDir& resources);

    void writePng(int id, const QImage& picture);
    void writeBitmap(int id, const QImage& picture);
    void writeIcon(int id, const std::vector<QImage>& sizes);

    // The files that could not be written; empty when all went well.
    const QStringList& failures() const { return failures_; }

private:
    QString prepare(const QString& folder, const QString& name);
    void write(const QString& path, const QByteArray& bytes);

    QDir resources_;
    QStringList failures_;
};

} // namespace vantrel::art
