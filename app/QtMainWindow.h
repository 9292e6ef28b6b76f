#pragma once

#include "app/QtPageWidget.h"
#include "window/CMainDlg.h"
#include "window/MainWindowHost.h"

#include <QDialog>

#include <functional>

namespace vantrel {

// The main window on Qt: a fixed dialog whose client area the two page windows cover, placed at
// its origin. The rules are the main window's own; this forwards to them.
class QtMainWindow : public QDialog, public MainWindowHost {
public:
    // scale: the canvas pixels of the pages for each page pixel (see RasterCanvas).
    explicit QtMainWindow(CMainDlg& rules, int scale = 1);

    // Sets the rules up on this window and shows the PC Setup page.
    void initialise();

    CMainDlg& rules() { return rules_; }
    QtPageWidget& pcWidget() { return *pcWidget_; }
    QtPageWidget& x360Widget() { return *x360Widget_; }

    // Told whenever the PC Setup page comes into view or leaves it, its window's hiding included.
    void onPcPageInView(std::function<void(bool)> report) { pcInView_ = std::move(report); }

    void showPage(SetupPage page) override;
    void endRun() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Releases that an unfinished page passes on: its tab headers still switch pages.
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void addLabelPlaceHolders();
    void showAbout();

    CMainDlg& rules_;
    QtPageWidget* x360Widget_;
    QtPageWidget* pcWidget_;
    std::function<void(bool)> pcInView_;
};

} // namespace vantrel
