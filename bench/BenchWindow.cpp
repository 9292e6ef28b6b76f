#include "bench/BenchWindow.h"

namespace vantrel::bench {

BenchWindow::BenchWindow() {
    link_.attach(receiver_->open());
    rules_ = std::make_unique<CMainDlg>(
        MainWindowServices{messages_, link_, state_, fileDialogs_, notices_, resources_, keyboard_},
        [] {});
    window_ = std::make_unique<QtMainWindow>(*rules_);
    window_->initialise();
    x360Page().decodePictures();
    x360Page().takeLoad(readX360Items(link_));
    state_.deviceConnected = 1;
}

} // namespace vantrel::bench
