#pragma once

#include "device/DeviceLink.h"
#include "device/MonitorState.h"
#include "pcsetup/KeyboardHook.h"
#include "skin/AccessibleItem.h"
#include "skin/PageSurface.h"
#include "skin/SkinResources.h"
#include "tests/pcsetup/ScriptedFileDialogs.h"
#include "tests/support/RecordingMessages.h"
#include "window/PageShell.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace vantrel::test {

// Every picture is there and decodes to one pixel, so that a page sets itself up; or, with
// `missing`, none is found.
class OnePixelResources : public SkinResources {
public:
    ResourceBytes findPicture(int resourceId) override;
    SkinImage decodePicture(std::span<const std::uint8_t> bytes) override;
    SkinImage loadBitmap(int resourceId) override;

    bool missing = false;
};

// The main window's part: the tab areas of its layout, and a record of what the pages ask of it.
class RecordingShell : public PageShell {
public:
    PixelRect tabArea(SetupPage page) const override;
    void switchTo(SetupPage page) override { switches.push_back(page); }
    bool passesSaveGuard() override {
        ++saveGuards;
        return false;
    }
    void confirmExit(SetupPage) override { ++exits; }

    std::vector<SetupPage> switches;
    int saveGuards = 0;
    int exits = 0;
};

class FreeKeyboard : public KeyboardHook {
public:
    bool claim() override { return true; }
    void install(KeyCapture&) override {}
    void remove() override {}
};

// A window that draws nothing, with the pointer away from every item.
class StillSurface : public PageSurface {
public:
    void repaintArea(const PixelRect&) override {}
    void repaintAreaNow(const PixelRect&) override {}
    void repaintPage() override {}
    PixelPoint pointerPosition() const override { return {-1, -1}; }
};

// What the pages need besides their own rules, with no window and no device.
class PageFixture : public ::testing::Test {
protected:
    PageServices services() { return {messages, link, monitor, shell, resources}; }

    RecordingMessages messages;
    DeviceLink link{messages};
    MonitorState monitor;
    RecordingShell shell;
    OnePixelResources resources;
    ScriptedFileDialogs fileDialogs;
    FreeKeyboard keyboard;
    StillSurface surface;
};

// The index of the one item with this name (under this group, when one is given); fails the
// test when there is none or more than one.
int indexOf(const std::vector<AccessibleItem>& items, std::string_view name,
            int group = NO_ACCESSIBLE_PARENT);

} // namespace vantrel::test
