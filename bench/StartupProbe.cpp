// Starts the program as it starts for its user and reports, on its standard output, the moment
// the PC Setup page was first drawn (realtime clock, nanoseconds) and the resident memory once
// the start is over. bench/run takes the time from just before it started the probe.
#include "app/Program.h"
#include "app/QtMainWindow.h"
#include "pcsetup/CVantrelConfigDlg.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

namespace {

long long realtimeNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

long residentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// Notes the end of the page's first paint, then lets the start finish before measuring memory.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && paintedAt_ == 0) {
            QTimer::singleShot(0, [this] { paintedAt_ = realtimeNs(); });
            QTimer::singleShot(1500, [this] {
                std::printf("painted_at_ns %lld\nresident_kb %ld\n", paintedAt_, residentKb());
                QApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    long long paintedAt_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    vantrel::Program program;
    FirstPaint firstPaint;
    program.window().pcWidget().installEventFilter(&firstPaint);
    program.start();
    program.window().show();
    return application.exec();
}
