#include "tests/skin/SourceSkinResources.h"

#include "tests/skin/PictureDecoder.h"

#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>

namespace vantrel::test {

namespace {

std::optional<std::vector<std::uint8_t>> readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>{std::istreambuf_iterator<char>(file), {}};
}

} // namespace

SourceSkinResources::SourceSkinResources() : folder_(VANTREL_RESOURCE_FOLDER) {
}

SkinImage SourceSkinResources::picture(int resourceId) {
    const ResourceBytes found = findPicture(resourceId);
    return found.lookup == ResourceLookup::Found ? decodePicture(found.bytes) : SkinImage{};
}

ResourceBytes SourceSkinResources::findPicture(int resourceId) {
    std::filesystem::path path = folder_ / "png" / (std::to_string(resourceId) + ".png");
    if (const std::filesystem::path dense =
            folder_ / "png" / (std::to_string(resourceId) + "@" + std::to_string(scale_) + "x.png");
        scale_ > 1 && std::filesystem::exists(dense)) {
        path = dense;
    }
    if (missing_.count(resourceId) != 0 || !std::filesystem::exists(path)) {
        return {ResourceLookup::NotFound, {}};
    }
    std::optional<std::vector<std::uint8_t>> bytes = readFile(path);
    if (!bytes) {
        return {ResourceLookup::NotLoaded, {}};
    }
    return {ResourceLookup::Found, std::move(*bytes)};
}

SkinImage SourceSkinResources::decodePicture(std::span<const std::uint8_t> bytes) {
    // Decoding the full-page pictures is most of what a page test costs, and every test sets up
    // its pages afresh: the same file is decoded once in a test program.
    static std::map<std::vector<std::uint8_t>, SkinImage> decoded;
    std::vector<std::uint8_t> key(bytes.begin(), bytes.end());
    const auto found = decoded.find(key);
    if (found != decoded.end()) {
        return found->second;
    }
    SkinImage picture = decodePng(bytes);
    decoded.emplace(std::move(key), picture);
    return picture;
}

SkinImage SourceSkinResources::loadBitmap(int resourceId) {
    const std::optional<std::vector<std::uint8_t>> bytes =
        readFile(folder_ / "bitmap" / (std::to_string(resourceId) + ".bmp"));
    return bytes ? decodeBitmap(*bytes) : SkinImage{};
}

} // namespace vantrel::test
