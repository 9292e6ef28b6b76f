#include "skin/SkinPage.h"

namespace vantrel {

SkinPage::SkinPage(const DialogTemplate& layout, Messages& messages, SkinResources& resources)
    : layout_(layout), messages_(messages), resources_(resources) {
}

PixelRect SkinPage::pageRect() const {
    return {0, 0, layout_.width * PIXELS_PER_DIALOG_UNIT, layout_.height * PIXELS_PER_DIALOG_UNIT};
}

void SkinPage::compose(PageCanvas& canvas) const {
    if (!initialised_) {
        canvas.fill(pageRect(), {0, 0, 0});
        return;
    }
    composePage(canvas);
    drawTexts(canvas);
}

void SkinPage::activateItem(int index) {
    const std::vector<AccessibleItem> items = accessibleItems();
    if (index < 0 || static_cast<std::size_t>(index) >= items.size() ||
        !items[static_cast<std::size_t>(index)].hasAction) {
        return;
    }
    const PixelRect& rect = items[static_cast<std::size_t>(index)].rect;
    const PixelPoint centre{rect.left + rect.width / 2, rect.top + rect.height / 2};
    pointerMoved(centre, false);
    pointerPressed(centre, PointerButton::Left);
    pointerReleased(centre, PointerButton::Left);
}

PixelRect SkinPage::templateRect(int controlId) const {
    return controlRect(layout_, controlId);
}

void SkinPage::repaintArea(const PixelRect& rect) {
    if (surface_ && !rect.empty()) {
        surface_->repaintArea(rect);
    }
}

void SkinPage::repaintAreaNow(const PixelRect& rect) {
    if (surface_ && !rect.empty()) {
        surface_->repaintAreaNow(rect);
    }
}

void SkinPage::repaintPage() {
    if (surface_) {
        surface_->repaintPage();
    }
}

PixelPoint SkinPage::pointerPosition() const {
    return surface_ ? surface_->pointerPosition() : PixelPoint{-1, -1};
}

} // namespace vantrel
