#pragma once

#include "skin/PageSurface.h"
#include "skin/SkinPage.h"
#include "win32/GdiPlusPageCanvas.h"

#include <windows.h>

#include <functional>

namespace vantrel {

// One page's window: a child dialog of the main window made from the page's own template, at
// the client origin, whose template controls only lend their rectangles and stay hidden. Every
// paint composes the page on one canvas and copies it to the screen at once.
class Win32PageWindow : public PageSurface {
public:
    using PassedOnRelease = std::function<void(PixelPoint, PointerButton)>;

    // Creates the window, hidden; the page is shown on it from now on.
    Win32PageWindow(HWND parent, SkinPage& page, PassedOnRelease passedOnRelease);
    ~Win32PageWindow() override;
    Win32PageWindow(const Win32PageWindow&) = delete;
    Win32PageWindow& operator=(const Win32PageWindow&) = delete;

    HWND handle() const { return window_; }

    void repaintArea(const PixelRect& rect) override;
    void repaintAreaNow(const PixelRect& rect) override;
    void repaintPage() override;
    PixelPoint pointerPosition() const override;

private:
    static INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    bool handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void pointerPressed(LPARAM lParam, PointerButton button);
    void pointerReleased(LPARAM lParam, PointerButton button);

    SkinPage& page_;
    PassedOnRelease passedOnRelease_;
    GdiPlusPageCanvas canvas_;
    HWND window_ = nullptr;
    std::function<void()> afterFirstPaint_;
};

} // namespace vantrel
