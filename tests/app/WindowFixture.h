#pragma once

#include "app/QtKeyboardHook.h"
#include "app/QtMainWindow.h"
#include "app/QtSkinResources.h"
#include "device/DeviceLink.h"
#include "device/MonitorState.h"
#include "devsim/Receiver.h"
#include "devsim/TraceRecorder.h"
#include "pcsetup/CVantrelConfigDlg.h"
#include "tests/pcsetup/ScriptedFileDialogs.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/TempRuntimeFolder.h"
#include "x360setup/CKeydefDlg.h"

#include <gtest/gtest.h>

#include <QPoint>

namespace vantrel::test {

// Notices that the test delivers by hand; registration can be made to fail.
class HandNotices : public DeviceNotices {
public:
    std::optional<std::uint32_t> registerFor(Deliver deliver) override {
        deliver_ = std::move(deliver);
        return failure;
    }
    void deliver(const DeviceNotice& notice) { deliver_(notice); }

    std::optional<std::uint32_t> failure;

private:
    Deliver deliver_;
};

// The main window with both pages, offscreen, over an in-process receiver that the link has
// open. The monitor does not run: a test connects by reading the device itself.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Reads the device as a connection does and marks it connected.
    void connect();

    // Makes the rules and their window without setting them up.
    void makeWindow();

    CVantrelConfigDlg& pcPage() { return rules->pcPage(); }
    CKeydefDlg& x360Page() { return rules->x360Page(); }
    QtPageWidget& pcWidget() { return window->pcWidget(); }
    QtPageWidget& x360Widget() { return window->x360Widget(); }
    QtPageWidget& widgetOf(const SkinPage& page) {
        return &page == &pcPage() ? pcWidget() : x360Widget();
    }

    // Mouse input as the host delivers it to a page's window.
    static void press(QWidget& page, QPoint at);
    static void release(QWidget& page, QPoint at);
    static void move(QWidget& page, QPoint at, Qt::MouseButtons held = Qt::NoButton);
    static void click(QWidget& page, QPoint at);
    void press(SkinPage& page, QPoint at) { press(widgetOf(page), at); }
    void release(SkinPage& page, QPoint at) { release(widgetOf(page), at); }
    void move(SkinPage& page, QPoint at, Qt::MouseButtons held = Qt::NoButton) {
        move(widgetOf(page), at, held);
    }
    void click(SkinPage& page, QPoint at) { click(widgetOf(page), at); }

    // The trace lines since the last call.
    std::vector<std::string> takeTrace();

    TempRuntimeFolder runtime;
    RecordingMessages messages;
    ScriptedFileDialogs fileDialogs;
    HandNotices notices;
    MonitorState state;
    DeviceLink link{messages, {.maxSends = 5, .maxDuration = std::chrono::seconds(2)}};
    std::shared_ptr<devsim::Receiver> receiver = std::make_shared<devsim::Receiver>();
    std::shared_ptr<devsim::TraceRecorder> trace = std::make_shared<devsim::TraceRecorder>();
    QtSkinResources resources;
    QtKeyboardHook keyboard;
    int monitorStarts = 0;
    std::unique_ptr<CMainDlg> rules;
    std::unique_ptr<QtMainWindow> window;

private:
    std::size_t traceSeen_ = 0;
};

} // namespace vantrel::test
