#include "app/QtMainWindow.h"

#include "app/ApplicationIcon.h"
#include "app/CAboutDlg.h"
#include "app/CBtnEdit.h"
#include "pcsetup/LabelledSlots.h"
#include "resources/templates/ResourceStrings.h"
#include "window/PageTabItems.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

namespace vantrel {

QtMainWindow::QtMainWindow(CMainDlg& rules, int scale)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      rules_(rules), x360Widget_(new QtPageWidget(this, rules.x360Page(), scale)),
      pcWidget_(new QtPageWidget(this, rules.pcPage(), scale)) {
    const DialogTemplate& layout = dialogTemplate(MAIN_DIALOG);
    setWindowTitle(
        QString::fromUtf8(layout.caption.data(), static_cast<qsizetype>(layout.caption.size())));
    setFixedSize(layout.width * PIXELS_PER_DIALOG_UNIT, layout.height * PIXELS_PER_DIALOG_UNIT);
    setWindowIcon(applicationIcon());
    x360Widget_->setAccessibleName(
        QString::fromUtf8(x360TabName.data(), static_cast<qsizetype>(x360TabName.size())));
    pcWidget_->setAccessibleName(
        QString::fromUtf8(pcTabName.data(), static_cast<qsizetype>(pcTabName.size())));
    x360Widget_->hide();
    pcWidget_->hide();
    // The page hears of every change of its visibility, its window's included.
    pcWidget_->installEventFilter(this);
}

void QtMainWindow::initialise() {
    addLabelPlaceHolders();
    for (QWidget* page : {static_cast<QWidget*>(x360Widget_), static_cast<QWidget*>(pcWidget_)}) {
        page->move(0, 0);
        page->raise();
    }
    rules_.initialise(*this);
}

void QtMainWindow::addLabelPlaceHolders() {
    // The place-holders only lend their rectangles; the page draws the labels itself.
    const DialogTemplate& layout = rules_.pcPage().layout();
    for (const LabelledSlot& entry : LABELLED_SLOTS) {
        const PixelRect rect = controlRect(layout, entry.placeHolderId);
        auto* placeHolder = new CBtnEdit(pcWidget_);
        placeHolder->setGeometry(rect.left, rect.top, rect.width, rect.height);
        placeHolder->hide();
    }
}

void QtMainWindow::showPage(SetupPage page) {
    QtPageWidget* shown = page == SetupPage::Pc ? pcWidget_ : x360Widget_;
    QtPageWidget* hidden = page == SetupPage::Pc ? x360Widget_ : pcWidget_;
    shown->show();
    hidden->hide();
    shown->repaint();
}

void QtMainWindow::endRun() {
    done(QDialog::Rejected);
}

bool QtMainWindow::eventFilter(QObject* watched, QEvent* event) {
    // A page hears of being shown only once it is in view, and of being hidden whenever it
    // leaves it, its window's hiding included.
    if (watched == pcWidget_ && pcInView_ &&
        (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        pcInView_(event->type() == QEvent::Show);
    }
    return QDialog::eventFilter(watched, event);
}

void QtMainWindow::contextMenuEvent(QContextMenuEvent* event) {
    // The window menu of this host can't take entries, so the About box is offered here.
    QMenu menu(this);
    menu.addAction(QString::fromLatin1(ABOUT_MENU_ENTRY.text.data(),
                                       static_cast<qsizetype>(ABOUT_MENU_ENTRY.text.size())),
                   this, &QtMainWindow::showAbout);
    menu.exec(event->globalPos());
}

void QtMainWindow::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    rules_.pointerReleased({p.x(), p.y()}, event->button() == Qt::LeftButton
                                               ? PointerButton::Left
                                               : PointerButton::Other);
}

void QtMainWindow::showAbout() {
    CAboutDlg about(this);
    about.exec();
}

} // namespace vantrel
