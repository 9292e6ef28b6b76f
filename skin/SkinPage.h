#pragma once

#include "platform/Messages.h"
#include "resources/templates/DialogTemplate.h"
#include "skin/AccessibleItem.h"
#include "skin/PageCanvas.h"
#include "skin/PageSurface.h"
#include "skin/SkinResources.h"

#include <functional>
#include <utility>
#include <vector>

namespace vantrel {

enum class PointerButton { Left, Other };

// Whether a page used a pointer event, or its window should have it.
enum class PointerAnswer { Used, PassedOn };

// What both skinned pages share: an 800 by 600 child of the main window drawn entirely from
// pictures. The host composes every paint on one canvas and copies it to the screen once, so no
// half-drawn state is ever seen and the background is never erased on its own.
class SkinPage {
public:
    SkinPage(const DialogTemplate& layout, Messages& messages, SkinResources& resources);
    virtual ~SkinPage() = default;
    SkinPage(const SkinPage&) = delete;
    SkinPage& operator=(const SkinPage&) = delete;

    // The window that shows the page; set by the host before the page is initialised.
    void showOn(PageSurface& surface) { surface_ = &surface; }

    // Whether the page finished setting itself up; one that did not draws nothing of the skin.
    bool initialised() const { return initialised_; }

    const DialogTemplate& layout() const { return layout_; }
    PixelRect pageRect() const;

    // Composes the page on the canvas, layer after layer and the texts last, inside the area the
    // canvas is set to. Changes nothing of the page's state.
    void compose(PageCanvas& canvas) const;

    // Asks for the whole page to be drawn again with the next paint.
    void repaintPage();

    // Pointer input in page pixels.
    virtual PointerAnswer pointerPressed(PixelPoint point, PointerButton button) = 0;
    virtual PointerAnswer pointerMoved(PixelPoint point, bool leftHeld) = 0;
    virtual PointerAnswer pointerReleased(PixelPoint point, PointerButton button) = 0;

    // What the page shows now, item by item, for assistive technology; groups come before their
    // members. An unfinished page shows nothing. The list's length and order stay the same for
    // the page's whole life once it is set up, so an index names one item throughout.
    virtual std::vector<AccessibleItem> accessibleItems() const = 0;

    // Does what a click on the item does, through the pointer rules: a move onto its centre, a
    // left press and a left release there. Nothing for an item without an action.
    void activateItem(int index);

    // Work for the idle time after the page has first been drawn, taken once by the host.
    void afterFirstPaint(std::function<void()> work) { afterFirstPaint_ = std::move(work); }
    std::function<void()> takeAfterFirstPaint() { return std::exchange(afterFirstPaint_, {}); }

protected:
    // The page's own layers, background first.
    virtual void composePage(PageCanvas& canvas) const = 0;
    // The texts that draw over the composed page, in their order.
    virtual void drawTexts(PageCanvas& canvas) const = 0;

    // Marks the page set up; called by the page once its pictures loaded.
    void finishSkin() { initialised_ = true; }

    PixelRect templateRect(int controlId) const;

    void repaintArea(const PixelRect& rect);
    void repaintAreaNow(const PixelRect& rect);
    PixelPoint pointerPosition() const;

    const DialogTemplate& layout_;
    Messages& messages_;
    SkinResources& resources_;

private:
    PageSurface* surface_ = nullptr;
    bool initialised_ = false;
    std::function<void()> afterFirstPaint_;
};

} // namespace vantrel
