#include "win32/GdiPlusPageCanvas.h"

#include "win32/GdiPlus.h"
#include "win32/WideText.h"

namespace vantrel {

namespace {

Gdiplus::Rect toRect(const PixelRect& rect) {
    return {rect.left, rect.top, rect.width, rect.height};
}

std::unique_ptr<Gdiplus::Font> pageFont() {
    LOGFONTW logFont{};
    logFont.lfHeight = -14;
    logFont.lfWeight = FW_THIN;
    logFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(logFont.lfFaceName, L"Arial", LF_FACESIZE);
    HDC screen = GetDC(nullptr);
    auto font = std::make_unique<Gdiplus::Font>(screen, &logFont);
    ReleaseDC(nullptr, screen);
    return font;
}

} // namespace

GdiPlusPageCanvas::GdiPlusPageCanvas(int width, int height)
    : RasterCanvas(width, height), font_(pageFont()) {
}

GdiPlusPageCanvas::~GdiPlusPageCanvas() = default;

void GdiPlusPageCanvas::renderText(const PixelRect& rect, ControlAlign align, std::string_view text,
                                   Colour colour) {
    const SkinImage& surface = image();
    Gdiplus::Bitmap view(surface.width, surface.height, surface.width * 4, PixelFormat32bppPARGB,
                         reinterpret_cast<BYTE*>(bits()));
    Gdiplus::Graphics graphics(&view);
    if (!area().empty()) {
        Gdiplus::Region clip;
        clip.MakeEmpty();
        for (const PixelRect& part : area()) {
            clip.Union(toRect(part));
        }
        graphics.SetClip(&clip);
    }
    graphics.IntersectClip(toRect(rect));
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
    Gdiplus::StringFormat format;
    if (align == ControlAlign::Centre) {
        format.SetAlignment(Gdiplus::StringAlignmentCenter);
        format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
        format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);
    } else {
        format.SetAlignment(Gdiplus::StringAlignmentNear);
        format.SetLineAlignment(Gdiplus::StringAlignmentNear);
    }
    const Gdiplus::SolidBrush brush(Gdiplus::Color(colour.red, colour.green, colour.blue));
    const std::wstring wide = toWide(text);
    const Gdiplus::RectF layout(
        static_cast<Gdiplus::REAL>(rect.left), static_cast<Gdiplus::REAL>(rect.top),
        static_cast<Gdiplus::REAL>(rect.width), static_cast<Gdiplus::REAL>(rect.height));
    graphics.DrawString(wide.c_str(), static_cast<INT>(wide.size()), font_.get(), layout, &format,
                        &brush);
}

} // namespace vantrel
