#include "skin/SkinPage.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include <utility>

namespace vantrel {

QFont pageFont() {
    QFont font(QStringLiteral("Arial"));
    // A 16-pixel cell holds an em of 14 pixels in Arial's proportions.
    font.setPixelSize(14);
    font.setWeight(QFont::Thin);
    return font;
}

SkinPage::SkinPage(QWidget* parent, const DialogTemplate& layout, Messages& messages)
    : QWidget(parent), layout_(layout), messages_(messages) {
    const int unit = PIXELS_PER_DIALOG_UNIT;
    setFixedSize(layout.width * unit, layout.height * unit);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
}

void SkinPage::finishSkin() {
    pageRect_ = rect();
    canvas_ = QImage(pageRect_.size(), QImage::Format_ARGB32_Premultiplied);
    canvas_.fill(Qt::black);
    pageFont_ = pageFont();
    initialised_ = true;
}

PixelRect SkinPage::templateRect(int controlId) const {
    return controlRect(layout_, controlId);
}

void SkinPage::drawText(QPainter& canvas, const SkinText& text) const {
    if (text.text.isEmpty() || text.rect.empty()) {
        return;
    }
    if (canvas.hasClipping() && !canvas.clipBoundingRect().intersects(QRectF(toQRect(text.rect)))) {
        return;
    }
    canvas.setFont(pageFont_);
    canvas.setPen(text.colour);
    const int flags = text.align == ControlAlign::Centre
                          ? Qt::AlignCenter | Qt::TextSingleLine
                          : Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    canvas.drawText(toQRect(text.rect), flags, text.text);
}

void SkinPage::repaintArea(const PixelRect& rect) {
    update(toQRect(rect));
}

void SkinPage::repaintAreaNow(const PixelRect& rect) {
    repaint(toQRect(rect));
}

void SkinPage::repaintPage() {
    update();
}

void SkinPage::repaintPageNow() {
    repaint();
}

void SkinPage::compose(const QRegion& area) {
    if (!initialised_) {
        return;
    }
    QPainter canvas(&canvas_);
    if (!area.isEmpty()) {
        // What lies outside would not reach the screen: a new reading redraws its gauge only.
        canvas.setClipRegion(area);
    }
    composePage(canvas);
    drawTexts(canvas);
}

void SkinPage::paintEvent(QPaintEvent* event) {
    if (!initialised_) {
        QPainter window(this);
        window.fillRect(event->rect(), Qt::black);
        return;
    }
    compose(event->region());
    QPainter window(this);
    presentCanvas(window, canvas_, pageRect_);
    if (afterFirstPaint_) {
        QTimer::singleShot(0, this, std::exchange(afterFirstPaint_, {}));
    }
}

} // namespace vantrel
