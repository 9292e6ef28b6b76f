#pragma once

#include "skin/SkinResources.h"

#include <filesystem>
#include <set>

namespace vantrel::test {

// The program's pictures read from the source tree's resources folder (png/<id>.png and
// bitmap/<id>.bmp) and decoded by the host's decoder, each file once in a test program. Pictures
// can be taken away, to stand for a program built without them. User-interface thread only.
class SourceSkinResources : public SkinResources {
public:
    SourceSkinResources();

    // From now on the pictures drawn at this scale (png/<id>@2x.png for 2), where there are.
    void useScale(int scale) { scale_ = scale; }

    // The picture with this id is not found from now on.
    void withoutPicture(int resourceId) { missing_.insert(resourceId); }

    // The picture with this id, decoded apart from any page; null when there is none.
    SkinImage picture(int resourceId);

    ResourceBytes findPicture(int resourceId) override;
    SkinImage decodePicture(std::span<const std::uint8_t> bytes) override;
    SkinImage loadBitmap(int resourceId) override;

private:
    std::filesystem::path folder_;
    std::set<int> missing_;
    int scale_ = 1;
};

} // namespace vantrel::test
