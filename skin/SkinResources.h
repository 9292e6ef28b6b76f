#pragma once

#include "skin/SkinImage.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vantrel {

enum class ResourceLookup { Found, NotFound, NotLoaded };

// The encoded bytes of a picture resource, or why there are none.
struct ResourceBytes {
    ResourceLookup lookup = ResourceLookup::NotFound;
    std::vector<std::uint8_t> bytes;
};

// The program's own pictures, as its host keeps them: the PNG pictures of type "PNG" and the
// highlight bitmap 143. Called on the user-interface thread.
class SkinResources {
public:
    virtual ~SkinResources() = default;

    // The encoded bytes of the PNG picture with this resource id: NotFound when there is no such
    // resource, NotLoaded when it is there but can't be read.
    virtual ResourceBytes findPicture(int resourceId) = 0;

    // Decodes PNG bytes; bytes that do not decode give a null picture.
    virtual SkinImage decodePicture(std::span<const std::uint8_t> bytes) = 0;

    // The bitmap with this resource id, opaque; a null picture when it can't be loaded.
    virtual SkinImage loadBitmap(int resourceId) = 0;
};

} // namespace vantrel
