#pragma once

#include "platform/Messages.h"
#include "skin/SkinResources.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace vantrel {

inline constexpr std::string_view pictureNotFoundMessage = "Error at Finding PNG!";
inline constexpr std::string_view pictureNotLoadedMessage = "Error in LoadResource!";

// The encoded bytes of the PNG picture with this resource id. A resource that is missing or
// unreadable shows its message and gives nothing.
std::optional<std::vector<std::uint8_t>> findSkinPicture(SkinResources& resources, int resourceId,
                                                         Messages& messages);

// Finds a page's pictures in their order. The first failure ends the search, with the pictures
// before it kept; false then.
bool findSkinPictures(SkinResources& resources, std::span<const int> resourceIds,
                      Messages& messages, std::vector<std::vector<std::uint8_t>>& found);

// Finds and decodes a page's pictures in their order, ending at the first failure like the find.
bool loadSkinPictures(SkinResources& resources, std::span<const int> resourceIds,
                      Messages& messages, std::vector<SkinImage>& table);

} // namespace vantrel
