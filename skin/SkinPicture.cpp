#include "skin/SkinPicture.h"

#include <QFile>

namespace vantrel {

std::optional<QByteArray> findSkinPicture(int resourceId, Messages& messages) {
    QFile resource(QStringLiteral(":/PNG/%1").arg(resourceId));
    if (!resource.exists()) {
        showOk(messages, pictureNotFoundMessage);
        return std::nullopt;
    }
    if (!resource.open(QIODevice::ReadOnly)) {
        showOk(messages, pictureNotLoadedMessage);
        return std::nullopt;
    }
    return resource.readAll();
}

QImage decodeSkinPicture(const QByteArray& bytes) {
    const QImage picture = QImage::fromData(bytes, "PNG");
    if (picture.isNull()) {
        return {};
    }
    return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

std::optional<QImage> loadSkinPicture(int resourceId, Messages& messages) {
    std::optional<QByteArray> bytes = findSkinPicture(resourceId, messages);
    if (!bytes) {
        return std::nullopt;
    }
    return decodeSkinPicture(*bytes);
}

bool findSkinPictures(std::span<const int> resourceIds, Messages& messages,
                      std::vector<QByteArray>& found) {
    for (const int id : resourceIds) {
        std::optional<QByteArray> bytes = findSkinPicture(id, messages);
        if (!bytes) {
            return false;
        }
        found.push_back(std::move(*bytes));
    }
    return true;
}

bool loadSkinPictures(std::span<const int> resourceIds, Messages& messages,
                      std::vector<QImage>& table) {
    for (const int id : resourceIds) {
        std::optional<QImage> picture = loadSkinPicture(id, messages);
        if (!picture) {
            return false;
        }
        table.push_back(std::move(*picture));
    }
    return true;
}

} // namespace vantrel
