#include "win32/GdiPlusSession.h"

#include "win32/GdiPlus.h"

#include <stdexcept>

namespace vantrel {

GdiPlusSession::GdiPlusSession() {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) {
        throw std::runtime_error("GdiplusStartup failed");
    }
    token_ = token;
}

GdiPlusSession::~GdiPlusSession() {
    Gdiplus::GdiplusShutdown(token_);
}

} // namespace vantrel
