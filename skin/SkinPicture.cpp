#include "skin/SkinPicture.h"

#include <QFile>

namespace vantrel {

std::optional<QImage> loadSkinPicture(int resourceId, Messages& messages) {
    QFile resource(QStringLiteral(":/PNG/%1").arg(resourceId));
    if (!resource.exists()) {
        showOk(messages, pictureNotFoundMessage);
        return std::nullopt;
    }
    if (!resource.open(QIODevice::ReadOnly)) {
        showOk(messages, pictureNotLoadedMessage);
        return std::nullopt;
    }
    const QByteArray bytes = resource.readAll();
    QImage picture = QImage::fromData(bytes, "PNG");
    if (picture.isNull()) {
        return QImage();
    }
    return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
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
