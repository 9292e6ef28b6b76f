#include "skin/SkinPicture.h"

namespace vantrel {

std::optional<std::vector<std::uint8_t>> findSkinPicture(SkinResources& resources, int resourceId,
                                                         Messages& messages) {
    ResourceBytes found = resources.findPicture(resourceId);
    switch (found.lookup) {
    case ResourceLookup::Found:
        return std::move(found.bytes);
    case ResourceLookup::NotFound:
        showOk(messages, pictureNotFoundMessage);
        return std::nullopt;
    case ResourceLookup::NotLoaded:
        showOk(messages, pictureNotLoadedMessage);
        return std::nullopt;
    }
    return std::nullopt;
}

bool findSkinPictures(SkinResources& resources, std::span<const int> resourceIds,
                      Messages& messages, std::vector<std::vector<std::uint8_t>>& found) {
    for (const int id : resourceIds) {
        std::optional<std::vector<std::uint8_t>> bytes = findSkinPicture(resources, id, messages);
        if (!bytes) {
            return false;
        }
        found.push_back(std::move(*bytes));
    }
    return true;
}

bool loadSkinPictures(SkinResources& resources, std::span<const int> resourceIds,
                      Messages& messages, std::vector<SkinImage>& table) {
    for (const int id : resourceIds) {
        const std::optional<std::vector<std::uint8_t>> bytes =
            findSkinPicture(resources, id, messages);
        if (!bytes) {
            return false;
        }
        table.push_back(resources.decodePicture(*bytes));
    }
    return true;
}

} // namespace vantrel
