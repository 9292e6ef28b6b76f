#pragma once

#include "skin/SkinResources.h"

namespace vantrel {

// The pictures compiled into the program: PNG resources of type "PNG" decoded by GDI+, and the
// bitmap resources. Needs a GdiPlusSession.
class Win32SkinResources : public SkinResources {
public:
    ResourceBytes findPicture(int resourceId) override;
    SkinImage decodePicture(std::span<const std::uint8_t> bytes) override;
    SkinImage loadBitmap(int resourceId) override;
};

} // namespace vantrel
