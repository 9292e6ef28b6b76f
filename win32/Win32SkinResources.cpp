#include "win32/Win32SkinResources.h"

#include "win32/GdiPlus.h"

#include <shlwapi.h>

#include <memory>

namespace vantrel {

namespace {

struct ReleaseStream {
    void operator()(IStream* stream) const { stream->Release(); }
};

struct DeleteBitmap {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};

} // namespace

ResourceBytes Win32SkinResources::findPicture(int resourceId) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"PNG");
    if (!found) {
        return {ResourceLookup::NotFound, {}};
    }
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, found);
    if (!data || size == 0) {
        return {ResourceLookup::NotLoaded, {}};
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    return {ResourceLookup::Found, {bytes, bytes + size}};
}

SkinImage Win32SkinResources::decodePicture(std::span<const std::uint8_t> bytes) {
    std::unique_ptr<IStream, ReleaseStream> stream(
        SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size())));
    if (!stream) {
        return {};
    }
    Gdiplus::Bitmap decoded(stream.get());
    if (decoded.GetLastStatus() != Gdiplus::Ok) {
        return {};
    }
    const int width = static_cast<int>(decoded.GetWidth());
    const int height = static_cast<int>(decoded.GetHeight());
    Gdiplus::Rect whole(0, 0, width, height);
    Gdiplus::BitmapData data{};
    // Straight alpha, exactly as the file holds it: the premultiplying is the skin's own.
    if (decoded.LockBits(&whole, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) !=
        Gdiplus::Ok) {
        return {};
    }
    std::vector<std::uint32_t> straight(static_cast<std::size_t>(width) *
                                        static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const auto* row = static_cast<const std::uint32_t*>(data.Scan0) +
                          static_cast<std::ptrdiff_t>(y) * (data.Stride / 4);
        std::copy(row, row + width, straight.begin() + static_cast<std::ptrdiff_t>(y) * width);
    }
    decoded.UnlockBits(&data);
    return SkinImage::fromStraightArgb(width, height, straight);
}

SkinImage Win32SkinResources::loadBitmap(int resourceId) {
    std::unique_ptr<std::remove_pointer_t<HBITMAP>, DeleteBitmap> bitmap(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap) {
        return {};
    }
    BITMAP shape{};
    if (GetObjectW(bitmap.get(), sizeof shape, &shape) == 0) {
        return {};
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shape.bmWidth;
    info.bmiHeader.biHeight = -shape.bmHeight; // top-down rows, as the skin keeps them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> rgb(static_cast<std::size_t>(shape.bmWidth) *
                                   static_cast<std::size_t>(shape.bmHeight));
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap.get(), 0, static_cast<UINT>(shape.bmHeight),
                               rgb.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != shape.bmHeight) {
        return {};
    }
    return SkinImage::fromOpaqueRgb(shape.bmWidth, shape.bmHeight, rgb);
}

} // namespace vantrel
