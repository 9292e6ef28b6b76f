#pragma once

#include "app/CMainDlg.h"
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

    CVantrelConfigDlg& pcPage() { return window->pcPage(); }
    CKeydefDlg& x360Page() { return window->x360Page(); }

    // Mouse input as the host delivers it to a page.
    static void press(QWidget& page, QPoint at);
    static void release(QWidget& page, QPoint at);
    static void move(QWidget& page, QPoint at, Qt::MouseButtons held = Qt::NoButton);
    static void click(QWidget& page, QPoint at);

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
    int monitorStarts = 0;
    std::unique_ptr<CMainDlg> window;

private:
    std::size_t traceSeen_ = 0;
};

} // namespace vantrel::test
