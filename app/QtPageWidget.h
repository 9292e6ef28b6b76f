#pragma once

#include "app/QtPageCanvas.h"
#include "skin/PageSurface.h"
#include "skin/SkinPage.h"

#include <QWidget>

namespace vantrel {

// A page's window on Qt: it forwards the pointer to the page, composes every paint on one
// canvas in the area to be drawn, and copies that to the screen once.
class QtPageWidget : public QWidget, public PageSurface {
public:
    // scale: the canvas pixels for each page pixel (see RasterCanvas).
    QtPageWidget(QWidget* parent, SkinPage& page, int scale = 1);

    SkinPage& page() { return page_; }

    // The last composed page, as the screen shows it.
    QImage canvas() const { return canvas_.image(); }

    void repaintArea(const PixelRect& rect) override;
    void repaintAreaNow(const PixelRect& rect) override;
    void repaintPage() override;
    PixelPoint pointerPosition() const override;

    // Runs the page's action of the item once the current event is done, so that assistive
    // technology asking for it is answered before any message box the action shows.
    void activateItemLater(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Tells assistive technology what a repaint changed, once the requests of one event are in.
    void announceChangesLater();

    SkinPage& page_;
    QtPageCanvas canvas_;
    bool announcePending_ = false;
};

} // namespace vantrel
