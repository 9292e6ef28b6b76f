#pragma once

#include "platform/Messages.h"
#include "resources/templates/DialogTemplate.h"
#include "skin/SkinText.h"

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QWidget>

#include <functional>

namespace vantrel {

// What both skinned pages share: an 800 by 600 child of the main window drawn entirely from
// pictures. Every paint composes the page on one canvas and copies it to the screen once, so no
// half-drawn state is ever seen and the background is never erased on its own.
class SkinPage : public QWidget {
public:
    SkinPage(QWidget* parent, const DialogTemplate& layout, Messages& messages);

    // Whether the page finished setting itself up; one that did not draws nothing of the skin.
    bool initialised() const { return initialised_; }

    // Composes the page on the canvas, as every paint does before its one copy to the screen:
    // all of it, or only what lies in the area that is to be drawn again.
    void compose(const QRegion& area = {});

    // The last composed page, as the screen shows it.
    const QImage& canvas() const { return canvas_; }

    const QRect& pageRect() const { return pageRect_; }

    // Work for the idle time after the page has first been drawn.
    void afterFirstPaint(std::function<void()> work) { afterFirstPaint_ = std::move(work); }

protected:
    // The page's own layers, background first, onto the canvas.
    virtual void composePage(QPainter& canvas) = 0;

    // The texts that draw over the composed page, in their order.
    virtual void drawTexts(QPainter& canvas) = 0;

    // Measures the page, makes its canvas and font; called by the page once its pictures loaded.
    void finishSkin();

    PixelRect templateRect(int controlId) const;
    void drawText(QPainter& canvas, const SkinText& text) const;

    // Asks for a part of the page to be drawn again, now or with the next paint.
    void repaintArea(const PixelRect& rect);
    void repaintAreaNow(const PixelRect& rect);
    void repaintPage();
    void repaintPageNow();

    void paintEvent(QPaintEvent* event) override;

    const DialogTemplate& layout_;
    Messages& messages_;

private:
    QRect pageRect_;
    QImage canvas_;
    QFont pageFont_;
    bool initialised_ = false;
    std::function<void()> afterFirstPaint_;
};

// The page font: Arial with a 16-pixel cell and the thinnest weight.
QFont pageFont();

} // namespace vantrel
