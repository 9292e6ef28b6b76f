#include "win32/Win32Program.h"

#include "device/DeviceMonitor.h"
#include "win32/Win32MainWindow.h"
#include "window/CMainDlg.h"
#include "window/WindowMonitorPages.h"

namespace vantrel {

Win32Program::Win32Program()
    : rules_(std::make_unique<CMainDlg>(MainWindowServices{messages_, link_, monitorState_,
                                                           fileDialogs_, notices_, resources_,
                                                           keyboard_},
                                        [this] { monitor_->start(); })),
      window_(std::make_unique<Win32MainWindow>(
          *rules_, MainWindowParts{crossing_, messages_, fileDialogs_, systemNotices_})),
      pages_(std::make_unique<WindowMonitorPages>(crossing_, *rules_, link_)) {
    window_->onPcPageInView([this](bool inView) { pages_->setPcPageInView(inView); });
    monitor_ =
        std::make_unique<DeviceMonitor>(monitorState_, link_, discovery_, *pages_, messages_);
}

Win32Program::~Win32Program() {
    crossing_.close();
    rules_.reset();
    window_.reset();
    monitor_.reset();
}

void Win32Program::run() {
    window_->run();
}

} // namespace vantrel
