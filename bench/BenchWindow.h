#pragma once

#include "app/QtMainWindow.h"
#include "app/QtSkinResources.h"
#include "device/DeviceLink.h"
#include "device/MonitorState.h"
#include "devsim/Receiver.h"
#include "pcsetup/CVantrelConfigDlg.h"
#include "pcsetup/KeyboardHook.h"
#include "x360setup/CKeydefDlg.h"

#include <memory>

namespace vantrel::bench {

// Seams that stay silent: the benchmarks measure drawing, not boxes or dialogs.
class SilentMessages : public Messages {
public:
    MessageAnswer show(std::string_view, MessageButtons, MessageIcon) override {
        return MessageAnswer::Ok;
    }
};

class NoFileDialogs : public FileDialogs {
public:
    std::optional<std::filesystem::path> choosePathToOpen() override { return std::nullopt; }
    std::optional<std::filesystem::path> choosePathToSave() override { return std::nullopt; }
};

class NoNotices : public DeviceNotices {
public:
    std::optional<std::uint32_t> registerFor(Deliver) override { return std::nullopt; }
};

class NoKeyboard : public KeyboardHook {
public:
    bool claim() override { return true; }
    void install(KeyCapture&) override {}
    void remove() override {}
};

// The main window with both pages, connected to an in-process receiver, offscreen.
class BenchWindow {
public:
    BenchWindow();

    CVantrelConfigDlg& pcPage() { return rules_->pcPage(); }
    CKeydefDlg& x360Page() { return rules_->x360Page(); }
    QtMainWindow& window() { return *window_; }

private:
    SilentMessages messages_;
    NoFileDialogs fileDialogs_;
    NoNotices notices_;
    NoKeyboard keyboard_;
    QtSkinResources resources_;
    MonitorState state_;
    DeviceLink link_{messages_};
    std::shared_ptr<devsim::Receiver> receiver_ = std::make_shared<devsim::Receiver>();
    std::unique_ptr<CMainDlg> rules_;
    std::unique_ptr<QtMainWindow> window_;
};

} // namespace vantrel::bench
