// Shows a window with the keyboard hook installed and the lbSlot label under capture, and prints
// every definition captured from the X keyboard with the X key code of the press that made it:
// "captured <main> <held> key <key code> <label text>". Ends with 0 once F12 is captured, with 1
// when it does not come in time.

#include "pcsetup/KeyboardFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace vantrel {
namespace {

constexpr int lbSlot = 3;
constexpr auto exposeTimeout = std::chrono::seconds(10);
constexpr auto captureTimeout = std::chrono::seconds(60);
constexpr KeyCode endKey = 0x7B; // F12

// Notes the X key code of every press before the keyboard hook sees it.
class PressedKeyCode : public QObject {
public:
    quint32 keyCode = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            keyCode = static_cast<const QKeyEvent&>(*event).nativeScanCode();
        }
        return QObject::eventFilter(watched, event);
    }
};

class ProbePage : public CapturePage {
public:
    ProbePage(const KeyMap& keyMap, const PressedKeyCode& pressed)
        : keyMap_(keyMap), pressed_(pressed) {}

    bool reporting = false;

    void showLabelText(int slot, std::string_view text) override {
        if (!reporting) {
            return;
        }
        std::printf("captured 0x%02X 0x%02X key %u %.*s\n", keyMap_.mainKey(slot),
                    keyMap_.heldKey(slot), pressed_.keyCode, static_cast<int>(text.size()),
                    text.data());
        std::fflush(stdout);
        if (keyMap_.mainKey(slot) == endKey) {
            QCoreApplication::exit(0);
        }
    }
    void refreshSlotLabel(int) override {}
    void showHelpText(std::string_view) override {}
    void updateHoverAtPointer() override {}

private:
    const KeyMap& keyMap_;
    const PressedKeyCode& pressed_;
};

int run(int argc, char** argv) {
    QApplication application(argc, argv);
    KeyMap keyMap;
    PressedKeyCode pressed;
    ProbePage page(keyMap, pressed);
    KeyCapture capture(keyMap, page);
    KeyboardFilter filter(capture);
    filter.install();
    // Installed last, so it sees each press first.
    application.installEventFilter(&pressed);
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
        std::fprintf(stderr, "F12 was not captured\n");
        QCoreApplication::exit(1);
    });
    return QApplication::exec();
}

} // namespace
} // namespace vantrel

int main(int argc, char** argv) {
    return vantrel::run(argc, argv);
}
