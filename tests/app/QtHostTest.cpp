#include "app/CBtnEdit.h"
#include "app/QtKeyboardHook.h"
#include "app/QtMainWindow.h"
#include "app/QtSkinResources.h"
#include "device/DeviceLink.h"
#include "device/MonitorState.h"
#include "pcsetup/LabelledSlots.h"
#include "platform/RuntimeFolder.h"
#include "tests/pcsetup/ScriptedFileDialogs.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/TempRuntimeFolder.h"

#include <QApplication>
#include <QLockFile>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace vantrel {
namespace {

const QPoint x360Tab{320, 36};
const QPoint onLb{398, 455};
const QRect lbRect{348, 442, 100, 26};

class NoNotices : public DeviceNotices {
public:
    std::optional<std::uint32_t> registerFor(Deliver) override { return std::nullopt; }
};

void sendMouse(QWidget& page, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), page.mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&page, &event);
}

// The Qt host over the main window's rules, as the program wires it, with recording messages
// and no device. Made by each test, so that it can hold the keyboard lock first.
class QtHostTest : public ::testing::Test {
protected:
    void open() {
        rules = std::make_unique<CMainDlg>(
            MainWindowServices{messages, link, state, fileDialogs, notices, resources, keyboard},
            [] {});
        window = std::make_unique<QtMainWindow>(*rules);
        keyboard.setScope(&window->pcWidget());
        window->onPcPageInView([this](bool inView) { inViewReports.push_back(inView); });
        window->initialise();
        window->show();
    }
    void TearDown() override {
        rules.reset();
        window.reset();
    }

    QString lockPath() const {
        return QString::fromStdString((runtimeFolder() / "KbdHook").string());
    }

    test::TempRuntimeFolder runtime;
    test::RecordingMessages messages;
    test::ScriptedFileDialogs fileDialogs;
    NoNotices notices;
    QtSkinResources resources;
    QtKeyboardHook keyboard;
    MonitorState state;
    DeviceLink link{messages};
    std::unique_ptr<CMainDlg> rules;
    std::unique_ptr<QtMainWindow> window;
    std::vector<bool> inViewReports;
};

TEST_F(QtHostTest, AFixedWindowWithBothPagesAtItsOriginAndTheLabelsPlaceHolders) {
    open();
    EXPECT_EQ(window->windowTitle(), "Vantrel Setup Utility V104a");
    EXPECT_EQ(window->size(), QSize(800, 600));
    EXPECT_TRUE(window->pcWidget().isVisible());
    EXPECT_FALSE(window->x360Widget().isVisible());
    EXPECT_EQ(window->pcWidget().geometry(), QRect(0, 0, 800, 600));
    EXPECT_EQ(window->x360Widget().geometry(), QRect(0, 0, 800, 600));

    const QList<CBtnEdit*> placeHolders = window->pcWidget().findChildren<CBtnEdit*>();
    ASSERT_EQ(placeHolders.size(), static_cast<qsizetype>(LABELLED_SLOT_COUNT));
    for (std::size_t i = 0; i < LABELLED_SLOT_COUNT; ++i) {
        const PixelRect rect =
            controlRect(rules->pcPage().layout(), LABELLED_SLOTS[i].placeHolderId);
        EXPECT_EQ(placeHolders[static_cast<qsizetype>(i)]->geometry(),
                  QRect(rect.left, rect.top, rect.width, rect.height))
            << LABELLED_SLOTS[i].caption;
        EXPECT_FALSE(placeHolders[static_cast<qsizetype>(i)]->isVisible());
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(QtHostTest, APaintComposesThePageAndPutsItOnTheScreen) {
    open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QtPageWidget& pc = window->pcWidget();
    sendMouse(pc, QEvent::MouseMove, onLb, Qt::NoButton, Qt::NoButton);
    ASSERT_EQ(rules->pcPage().capture().hoverSlot(), 3) << "the move reached the page";

    pc.repaint();
    const QColor highlight(200, 200, 200);
    EXPECT_EQ(pc.canvas().pixelColor(lbRect.topLeft()), highlight);
    EXPECT_EQ(pc.grab().toImage().pixelColor(lbRect.topLeft()), highlight)
        << "the screen shows the composed canvas";
    int textPixels = 0;
    for (int y = lbRect.top(); y <= lbRect.bottom(); ++y) {
        for (int x = lbRect.left(); x <= lbRect.right(); ++x) {
            textPixels += pc.canvas().pixelColor(x, y) != highlight;
        }
    }
    EXPECT_GT(textPixels, 0) << "the label's text is drawn over the highlight, in the page font";
}

// Whether a text of the capture colour lies in that part of the canvas: red text on the grey
// highlight keeps its red and loses green and blue alike.
bool showsRedText(const QImage& area) {
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            const QColor colour = area.pixelColor(x, y);
            if (colour.red() - colour.green() > 60 && colour.green() == colour.blue()) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(QtHostTest, TheHostsFontDrawsACapturedLabelInTheCaptureColourAtOnce) {
    open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QtPageWidget& pc = window->pcWidget();
    sendMouse(pc, QEvent::MouseMove, onLb, Qt::NoButton, Qt::NoButton);
    pc.repaint();
    EXPECT_FALSE(showsRedText(pc.canvas().copy(lbRect)));

    sendMouse(pc, QEvent::MouseButtonPress, onLb, Qt::LeftButton, Qt::LeftButton);
    sendMouse(pc, QEvent::MouseButtonRelease, onLb, Qt::LeftButton, Qt::NoButton);
    ASSERT_TRUE(rules->pcPage().capture().isCapturing());
    EXPECT_TRUE(showsRedText(pc.canvas().copy(lbRect))) << "painted before any event is handled";

    sendMouse(pc, QEvent::MouseButtonPress, onLb, Qt::LeftButton, Qt::LeftButton);
    sendMouse(pc, QEvent::MouseButtonRelease, onLb, Qt::LeftButton, Qt::NoButton);
    ASSERT_FALSE(rules->pcPage().capture().isCapturing());
    pc.repaint();
    EXPECT_FALSE(showsRedText(pc.canvas().copy(lbRect)));
}

// The areas of a window painted after the spy was made; what was pending before is painted first.
class PaintSpy : public QObject {
public:
    explicit PaintSpy(QWidget& window) : window_(window) {
        QCoreApplication::processEvents();
        window_.installEventFilter(this);
    }
    ~PaintSpy() override { window_.removeEventFilter(this); }

    // Without handling the events still waiting.
    const QRegion& paintedSoFar() const { return painted_; }
    const QRegion& painted() {
        QCoreApplication::processEvents();
        return painted_;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted_ += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }

private:
    QWidget& window_;
    QRegion painted_;
};

TEST_F(QtHostTest, APageWindowPaintsJustTheAreasItsPageAsksFor) {
    open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QtPageWidget& pc = window->pcWidget();
    const PixelRect lb{lbRect.left(), lbRect.top(), lbRect.width(), lbRect.height()};
    const PixelRect elsewhere{10, 20, 30, 40};
    {
        PaintSpy spy(pc);
        pc.repaintArea(lb);
        pc.repaintArea(elsewhere);
        EXPECT_TRUE(spy.paintedSoFar().isEmpty()) << "painted later, with the other paints";
        EXPECT_EQ(spy.painted(), QRegion(lbRect) + QRegion(10, 20, 30, 40));
    }
    {
        PaintSpy spy(pc);
        pc.repaintAreaNow(lb);
        EXPECT_EQ(spy.paintedSoFar(), QRegion(lbRect)) << "painted before the call returns";
    }
}

TEST_F(QtHostTest, AReleaseAnUnsetPagePassesOnStillSwitchesAtTheTabs) {
    QLockFile other(lockPath());
    ASSERT_TRUE(other.tryLock());
    open();
    ASSERT_FALSE(rules->pcPage().initialised()) << "another copy holds the keyboard";
    EXPECT_TRUE(messages.shown().empty());

    sendMouse(window->pcWidget(), QEvent::MouseButtonRelease, x360Tab, Qt::LeftButton,
              Qt::NoButton);
    EXPECT_TRUE(window->x360Widget().isVisible());
    EXPECT_FALSE(window->pcWidget().isVisible());
}

TEST_F(QtHostTest, ThePcPageHearsOfEveryChangeOfItsVisibility) {
    open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_EQ(inViewReports, std::vector<bool>{true});
    rules->switchTo(SetupPage::X360);
    rules->switchTo(SetupPage::Pc);
    window->hide();
    EXPECT_EQ(inViewReports, (std::vector<bool>{true, false, true, false}));
}

TEST_F(QtHostTest, TheCloseBoxEndsWithoutAskingWhateverChanged) {
    open();
    state.deviceConnected = 1;
    rules->pcPage().keyMap().setDefinition(3, 0x41, 0);
    rules->x360Page().settings().setFiringStep(8);
    ASSERT_TRUE(rules->pcPage().keyMap().isChanged());
    ASSERT_TRUE(rules->x360Page().isChanged());
    QSignalSpy finished(window.get(), &QDialog::finished);

    window->close();

    EXPECT_TRUE(messages.shown().empty());
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Rejected);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(QtHostTest, TheEndOfTheRunClosesTheWindow) {
    open();
    QSignalSpy finished(window.get(), &QDialog::finished);
    rules->confirmExit(SetupPage::Pc); // nothing changed: no question
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Rejected);
    EXPECT_FALSE(window->isVisible());
}

} // namespace
} // namespace vantrel
