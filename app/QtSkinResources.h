#pragma once

#include "skin/SkinResources.h"

namespace vantrel {

// The pictures compiled into the program as Qt resources: ":/PNG/<id>" and ":/BITMAP/<id>".
class QtSkinResources : public SkinResources {
public:
    ResourceBytes findPicture(int resourceId) override;
    SkinImage decodePicture(std::span<const std::uint8_t> bytes) override;
    SkinImage loadBitmap(int resourceId) override;
};

} // namespace vantrel
