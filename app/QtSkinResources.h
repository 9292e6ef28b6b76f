#pragma once

#include "skin/SkinResources.h"

namespace vantrel {

// The pictures compiled into the program as Qt resources: ":/PNG/<id>" and ":/BITMAP/<id>", and
// for a scale of 2 ":/PNG@2x/<id>", drawn at twice the density, where there is one.
class QtSkinResources : public SkinResources {
public:
    explicit QtSkinResources(int scale = 1) : scale_(scale) {}

    ResourceBytes findPicture(int resourceId) override;
    SkinImage decodePicture(std::span<const std::uint8_t> bytes) override;
    SkinImage loadBitmap(int resourceId) override;

private:
    int scale_;
};

} // namespace vantrel
