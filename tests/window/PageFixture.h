#pragma once

#include "device/DeviceLink.h"
#include "device/MonitorState.h"
#include "devsim/Receiver.h"
#include "devsim/TraceRecorder.h"
#include "pcsetup/HeldKeys.h"
#include "pcsetup/KeyboardHook.h"
#include "tests/pcsetup/ScriptedFileDialogs.h"
#include "tests/skin/SourceSkinResources.h"
#include "tests/skin/TestCanvas.h"
#include "tests/support/RecordingMessages.h"
#include "window/CMainDlg.h"
#include "window/MainWindowHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

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

// A page's window: records what the page asks to have drawn again; the pointer is where the
// test puts it.
class RecordingSurface : public PageSurface {
public:
    void repaintArea(const PixelRect& rect) override { areas.push_back(rect); }
    void repaintAreaNow(const PixelRect& rect) override { areasNow.push_back(rect); }
    void repaintPage() override { ++wholePages; }
    PixelPoint pointerPosition() const override { return pointer; }

    void clear() {
        areas.clear();
        areasNow.clear();
        wholePages = 0;
    }

    std::vector<PixelRect> areas;
    std::vector<PixelRect> areasNow;
    int wholePages = 0;
    PixelPoint pointer{-1, -1};
};

// The main window's host: which page it was last told to show, and whether the run ended.
class RecordingHost : public MainWindowHost {
public:
    void showPage(SetupPage page) override { shown = page; }
    void endRun() override { ++runsEnded; }

    std::optional<SetupPage> shown;
    int runsEnded = 0;
};

// The keyboard hook: the claim answers as set (false: another copy holds the keyboard).
class RecordingKeyboard : public KeyboardHook {
public:
    bool claim() override { return claimAnswer; }
    void install(KeyCapture& capture) override { installed = &capture; }
    void remove() override { installed = nullptr; }

    bool claimAnswer = true;
    KeyCapture* installed = nullptr;
};

// Key presses as the hook hands them to capture: each first key-down with the keys held then.
class HandKeys {
public:
    explicit HandKeys(KeyCapture& capture) : capture_(capture) {}

    void down(KeyCode code);
    void up(KeyCode code) { held_.release(code); }
    void tap(KeyCode code);

private:
    KeyCapture& capture_;
    HeldKeys held_;
};

// The main window's rules with both pages, each on a recording window, over an in-process
// receiver that the link has open, with the program's own pictures. The monitor does not run: a
// test connects by reading the device itself.
class PageFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Reads the device as a connection does and marks it connected.
    void connect();

    CVantrelConfigDlg& pcPage() { return window->pcPage(); }
    CKeydefDlg& x360Page() { return window->x360Page(); }
    bool shows(SetupPage page) const { return host.shown == page; }

    // Pointer input as the host delivers it to a page, in page pixels; what the page passes on
    // goes to the main window.
    void press(SkinPage& page, PixelPoint at, PointerButton button = PointerButton::Left);
    void release(SkinPage& page, PixelPoint at, PointerButton button = PointerButton::Left);
    void move(SkinPage& page, PixelPoint at, bool leftHeld = false);
    void click(SkinPage& page, PixelPoint at);

    // The whole page composed as a paint would be, on a canvas of this scale, then the idle work
    // after a first paint.
    const TestCanvas& paint(SkinPage& page, int scale = 1);

    // The trace lines since the last call.
    std::vector<std::string> takeTrace();

    RecordingMessages messages;
    ScriptedFileDialogs fileDialogs;
    HandNotices notices;
    SourceSkinResources resources;
    RecordingKeyboard keyboard;
    RecordingHost host;
    RecordingSurface pcSurface;
    RecordingSurface x360Surface;
    MonitorState state;
    DeviceLink link{messages, {.maxSends = 5, .maxDuration = std::chrono::seconds(2)}};
    std::shared_ptr<devsim::Receiver> receiver = std::make_shared<devsim::Receiver>();
    std::shared_ptr<devsim::TraceRecorder> trace = std::make_shared<devsim::TraceRecorder>();
    int monitorStarts = 0;
    std::unique_ptr<CMainDlg> window;

private:
    std::optional<TestCanvas> canvas_;
    std::size_t traceSeen_ = 0;
};

PixelPoint centre(const PixelRect& rect);

} // namespace vantrel::test
