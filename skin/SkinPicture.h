#pragma once

#include "platform/Messages.h"

#include <QImage>

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace vantrel {

inline constexpr std::string_view pictureNotFoundMessage = "Error at Finding PNG!";
inline constexpr std::string_view pictureNotLoadedMessage = "Error in LoadResource!";

// Loads the PNG picture with this resource id, decoded once and kept premultiplied so that every
// later draw is a plain blend. A resource that is missing or unreadable shows its message and
// gives nothing; one that does not decode gives a null picture, which draws nothing.
std::optional<QImage> loadSkinPicture(int resourceId, Messages& messages);

// Loads a page's pictures in their order into the table. The first failure ends the loading,
// with the pictures before it kept; false then.
bool loadSkinPictures(std::span<const int> resourceIds, Messages& messages,
                      std::vector<QImage>& table);

} // namespace vantrel
