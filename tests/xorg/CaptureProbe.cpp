// Shows a window with the keyboard hook installed and the lbSlot label under capture, and prints
// every definition captured from the X keyboard: "captured <main> <held> <label text>". Ends
// with 0 once two combinations are captured, with 1 when they do not come in time.

#include "pcsetup/KeyboardFilter.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace vantrel {
namespace {

constexpr int lbSlot = 3;
constexpr auto exposeTimeout = std::chrono::seconds(10);
constexpr auto captureTimeout = std::chrono::seconds(20);
constexpr int combinationsToCapture = 2;

class ProbePage : public CapturePage {
public:
    explicit ProbePage(const KeyMap& keyMap) : keyMap_(keyMap) {}

    bool reporting = false;

    void showLabelText(int slot, std::string_view text) override {
        if (!reporting) {
            return;
        }
        std::printf("captured 0x%02X 0x%02X %.*s\n", keyMap_.mainKey(slot), keyMap_.heldKey(slot),
                    static_cast<int>(text.size()), text.data());
        std::fflush(stdout);
        if (keyMap_.heldKey(slot) != 0 && ++combinations_ == combinationsToCapture) {
            QCoreApplication::exit(0);
        }
    }
    void refreshSlotLabel(int) override {}
    void showHelpText(std::string_view) override {}
    void updateHoverAtPointer() override {}

private:
    const KeyMap& keyMap_;
    int combinations_ = 0;
};

int run(int argc, char** argv) {
    QApplication application(argc, argv);
    KeyMap keyMap;
    ProbePage page(keyMap);
    KeyCapture capture(keyMap, page);
    KeyboardFilter filter(capture);
    filter.install();
    capture.setHoverSlot(lbSlot);
    capture.beginCapture();
    page.reporting = true;

    QWidget window;
    window.setWindowTitle("key capture probe");
    window.resize(320, 200);
    window.show();
    if (!QTest::qWaitForWindowExposed(
            &window, static_cast<int>(std::chrono::milliseconds(exposeTimeout).count()))) {
        std::fprintf(stderr, "the window was not shown\n");
        return 2;
    }
    window.activateWindow();
    std::printf("ready %llu\n", static_cast<unsigned long long>(window.winId()));
    std::fflush(stdout);

    QTimer::singleShot(captureTimeout, &application, [] {
        std::fprintf(stderr, "the combinations were not captured\n");
        QCoreApplication::exit(1);
    });
    return QApplication::exec();
}

} // namespace
} // namespace vantrel

int main(int argc, char** argv) {
    return vantrel::run(argc, argv);
}
