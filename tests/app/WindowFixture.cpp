#include "tests/app/WindowFixture.h"

#include <QApplication>
#include <QMouseEvent>

namespace vantrel::test {

void WindowFixture::SetUp() {
    receiver->traceTo(trace);
    link.attach(receiver->open());
    makeWindow();
    window->initialise();
    window->show();
}

void WindowFixture::makeWindow() {
    rules = std::make_unique<CMainDlg>(
        MainWindowServices{messages, link, state, fileDialogs, notices, resources, keyboard},
        [this] { ++monitorStarts; });
    window = std::make_unique<QtMainWindow>(*rules);
    keyboard.setScope(&window->pcWidget());
}

void WindowFixture::TearDown() {
    rules.reset();
    window.reset();
}

void WindowFixture::connect() {
    KeyMapBytes block{};
    ASSERT_EQ(link.RdEELong(block), 0u);
    x360Page().takeLoad(readX360Items(link));
    state.deviceConnected = 1;
    pcPage().takeDeviceKeyMap(block);
    takeTrace();
}

namespace {

void send(QWidget& page, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), page.mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&page, &event);
}

} // namespace

void WindowFixture::press(QWidget& page, QPoint at) {
    send(page, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}

void WindowFixture::release(QWidget& page, QPoint at) {
    send(page, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

void WindowFixture::move(QWidget& page, QPoint at, Qt::MouseButtons held) {
    send(page, QEvent::MouseMove, at, Qt::NoButton, held);
}

void WindowFixture::click(QWidget& page, QPoint at) {
    press(page, at);
    release(page, at);
}

std::vector<std::string> WindowFixture::takeTrace() {
    const std::vector<std::string> lines = trace->lines();
    std::vector<std::string> fresh(lines.begin() + static_cast<long>(traceSeen_), lines.end());
    traceSeen_ = lines.size();
    return fresh;
}

} // namespace vantrel::test
