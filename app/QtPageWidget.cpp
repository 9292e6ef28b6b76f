#include "app/QtPageWidget.h"

#include "app/QtPageAccessible.h"

#include <QAccessible>
#include <QCursor>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include <vector>

namespace vantrel {

namespace {

QRect toQRect(const PixelRect& rect) {
    return {rect.left, rect.top, rect.width, rect.height};
}

PixelPoint pointOf(const QMouseEvent& event) {
    const QPoint p = event.position().toPoint();
    return {p.x(), p.y()};
}

PointerButton buttonOf(const QMouseEvent& event) {
    return event.button() == Qt::LeftButton ? PointerButton::Left : PointerButton::Other;
}

void answer(QMouseEvent& event, PointerAnswer answer) {
    // A passed-on event goes to the main window.
    event.setAccepted(answer == PointerAnswer::Used);
}

} // namespace

QtPageWidget::QtPageWidget(QWidget* parent, SkinPage& page, int scale)
    : QWidget(parent), page_(page), canvas_(page.pageRect().width, page.pageRect().height, scale) {
    setFixedSize(page.pageRect().width, page.pageRect().height);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    page.showOn(*this);
    installPageAccessibility();
}

void QtPageWidget::repaintArea(const PixelRect& rect) {
    update(toQRect(rect));
    announceChangesLater();
}

void QtPageWidget::repaintAreaNow(const PixelRect& rect) {
    repaint(toQRect(rect));
    announceChangesLater();
}

void QtPageWidget::repaintPage() {
    update();
    announceChangesLater();
}

void QtPageWidget::activateItemLater(int index) {
    QTimer::singleShot(0, this, [this, index] { page_.activateItem(index); });
}

void QtPageWidget::announceChangesLater() {
    if (announcePending_ || !QAccessible::isActive()) {
        return;
    }
    announcePending_ = true;
    QTimer::singleShot(0, this, [this] {
        announcePending_ = false;
        announcePageChanges(*this);
    });
}

PixelPoint QtPageWidget::pointerPosition() const {
    const QPoint p = mapFromGlobal(QCursor::pos());
    return {p.x(), p.y()};
}

void QtPageWidget::paintEvent(QPaintEvent* event) {
    std::vector<PixelRect> area;
    for (const QRect& part : event->region()) {
        area.push_back({part.x(), part.y(), part.width(), part.height()});
    }
    canvas_.setArea(area);
    page_.compose(canvas_);
    QPainter window(this);
    window.setCompositionMode(QPainter::CompositionMode_Source);
    window.drawImage(0, 0, canvas_.image());
    if (auto work = page_.takeAfterFirstPaint()) {
        QTimer::singleShot(0, this, std::move(work));
    }
}

void QtPageWidget::mousePressEvent(QMouseEvent* event) {
    answer(*event, page_.pointerPressed(pointOf(*event), buttonOf(*event)));
}

void QtPageWidget::mouseMoveEvent(QMouseEvent* event) {
    answer(*event, page_.pointerMoved(pointOf(*event), event->buttons() & Qt::LeftButton));
}

// A page that appears under a still pointer, or that the pointer comes back onto, sees a move
// there at once, as the Windows program's pages do.
void QtPageWidget::enterEvent(QEnterEvent* event) {
    const QPoint at = event->position().toPoint();
    page_.pointerMoved({at.x(), at.y()}, QGuiApplication::mouseButtons() & Qt::LeftButton);
}

void QtPageWidget::mouseReleaseEvent(QMouseEvent* event) {
    answer(*event, page_.pointerReleased(pointOf(*event), buttonOf(*event)));
}

} // namespace vantrel
