#include "bench/BenchWindow.h"

namespace vantrel::bench {

BenchWindow::BenchWindow() {
    link_.attach(receiver_->open());
    window_ = std::make_unique<CMainDlg>(messages_, link_, state_, fileDialogs_, notices_, [] {});
    window_->initialise();
    x360Page().takeLoad(readX360Items(link_));
    state_.deviceConnected = 1;
}

} // namespace vantrel::bench
