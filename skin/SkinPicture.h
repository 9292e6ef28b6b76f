#pragma once

#include "platform/Messages.h"

#include <QByteArray>
#include <QImage>

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace vantrel {

inline constexpr std::string_view pictureNotFoundMessage = "Error at Finding PNG!";
inline constexpr std::string_view pictureNotLoadedMessage = "Error in LoadResource!";

// The encoded bytes of the PNG picture with this resource id. A resource that is missing or
// unreadable shows its message and gives nothing.
std::optional<QByteArray> findSkinPicture(int resourceId, Messages& messages);

// Decodes a picture once, kept premultiplied so that every later draw is a plain blend. Bytes
// that do not decode give a null picture, which draws nothing.
QImage decodeSkinPicture(const QByteArray& bytes);

std::optional<QImage> loadSkinPicture(int resourceId, Messages& messages);

// Finds a page's pictures in their order. The first failure ends the search, with the pictures
// before it kept; false then.
bool findSkinPictures(std::span<const int> resourceIds, Messages& messages,
                      std::vector<QByteArray>& found);

// Finds and decodes a page's pictures in their order, ending at the first failure like the find.
bool loadSkinPictures(std::span<const int> resourceIds, Messages& messages,
                      std::vector<QImage>& table);

} // namespace vantrel
