#include "win32/Win32PageWindow.h"

#include "win32/PrivateMessages.h"

#include <windowsx.h>

#include <stdexcept>
#include <vector>

namespace vantrel {

namespace {

RECT toRect(const PixelRect& rect) {
    return {rect.left, rect.top, rect.right(), rect.bottom()};
}

PixelPoint pointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

BOOL CALLBACK hideControl(HWND control, LPARAM) {
    ShowWindow(control, SW_HIDE);
    return TRUE;
}

// The parts of the window waiting to be painted, read before BeginPaint validates them.
std::vector<PixelRect> updateArea(HWND window) {
    std::vector<PixelRect> area;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetUpdateRgn(window, region, FALSE);
    if (kind != NULLREGION && kind != ERROR) {
        const DWORD size = GetRegionData(region, 0, nullptr);
        std::vector<std::byte> buffer(size);
        auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
        if (size != 0 && GetRegionData(region, size, data) == size) {
            const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
            for (DWORD i = 0; i < data->rdh.nCount; ++i) {
                const RECT& r = rects[i];
                area.push_back({r.left, r.top, r.right - r.left, r.bottom - r.top});
            }
        }
    }
    DeleteObject(region);
    return area;
}

} // namespace

Win32PageWindow::Win32PageWindow(HWND parent, SkinPage& page, PassedOnRelease passedOnRelease)
    : page_(page), passedOnRelease_(std::move(passedOnRelease)),
      canvas_(page.pageRect().width, page.pageRect().height) {
    window_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(page.layout().id),
                                 parent, dialogProcedure, reinterpret_cast<LPARAM>(this));
    if (!window_) {
        throw std::runtime_error("CreateDialogParamW failed for a page");
    }
    // At the client origin, in the page's own pixel size, whatever the dialog font's units come
    // to on this system.
    const PixelRect rect = page.pageRect();
    SetWindowPos(window_, HWND_TOP, 0, 0, rect.width, rect.height, SWP_NOACTIVATE);
    page.showOn(*this);
}

Win32PageWindow::~Win32PageWindow() {
    if (IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void Win32PageWindow::repaintArea(const PixelRect& rect) {
    const RECT area = toRect(rect);
    InvalidateRect(window_, &area, FALSE);
}

void Win32PageWindow::repaintAreaNow(const PixelRect& rect) {
    const RECT area = toRect(rect);
    RedrawWindow(window_, &area, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void Win32PageWindow::repaintPage() {
    InvalidateRect(window_, nullptr, FALSE);
}

PixelPoint Win32PageWindow::pointerPosition() const {
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(window_, &point);
    return {point.x, point.y};
}

INT_PTR CALLBACK Win32PageWindow::dialogProcedure(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Win32PageWindow*>(lParam);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
        EnumChildWindows(window, hideControl, 0);
        return FALSE;
    }
    auto* self = reinterpret_cast<Win32PageWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self && self->handle(message, wParam, lParam) ? TRUE : FALSE;
}

bool Win32PageWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        // The paint covers the whole area; erasing first would only flicker.
        SetWindowLongPtrW(window_, DWLP_MSGRESULT, 1);
        return true;
    case WM_PAINT:
        paint();
        return true;
    case WM_LBUTTONDOWN:
        pointerPressed(lParam, PointerButton::Left);
        return true;
    case WM_RBUTTONDOWN:
        pointerPressed(lParam, PointerButton::Other);
        return true;
    case WM_MOUSEMOVE:
        page_.pointerMoved(pointOf(lParam), (wParam & MK_LBUTTON) != 0);
        return true;
    case WM_LBUTTONUP:
        pointerReleased(lParam, PointerButton::Left);
        return true;
    case WM_RBUTTONUP:
        pointerReleased(lParam, PointerButton::Other);
        return true;
    case AFTER_FIRST_PAINT_MESSAGE:
        if (auto work = std::exchange(afterFirstPaint_, {})) {
            work();
        }
        return true;
    default:
        return false;
    }
}

void Win32PageWindow::paint() {
    const std::vector<PixelRect> area = updateArea(window_);
    PAINTSTRUCT paintStruct{};
    HDC screen = BeginPaint(window_, &paintStruct);
    canvas_.setArea(area);
    page_.compose(canvas_);
    const SkinImage& image = canvas_.image();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height; // top-down, as the canvas holds its rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(screen, 0, 0, static_cast<DWORD>(image.width),
                      static_cast<DWORD>(image.height), 0, 0, 0, static_cast<UINT>(image.height),
                      image.pixels.data(), &info, DIB_RGB_COLORS);
    EndPaint(window_, &paintStruct);
    if (auto work = page_.takeAfterFirstPaint()) {
        afterFirstPaint_ = std::move(work);
        PostMessageW(window_, AFTER_FIRST_PAINT_MESSAGE, 0, 0);
    }
}

void Win32PageWindow::pointerPressed(LPARAM lParam, PointerButton button) {
    // The release comes back here even when it happens outside the page.
    SetCapture(window_);
    page_.pointerPressed(pointOf(lParam), button);
}

void Win32PageWindow::pointerReleased(LPARAM lParam, PointerButton button) {
    if (GetCapture() == window_) {
        ReleaseCapture();
    }
    const PixelPoint point = pointOf(lParam);
    if (page_.pointerReleased(point, button) == PointerAnswer::PassedOn) {
        passedOnRelease_(point, button);
    }
}

} // namespace vantrel
