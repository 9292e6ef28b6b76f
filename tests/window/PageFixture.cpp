#include "tests/window/PageFixture.h"

namespace vantrel::test {

void HandKeys::down(KeyCode code) {
    held_.press(code);
    capture_.onKeyPress(reportedKeyCode(code), held_);
}

void HandKeys::tap(KeyCode code) {
    down(code);
    up(code);
}

void PageFixture::SetUp() {
    receiver->traceTo(trace);
    link.attach(receiver->open());
    window = std::make_unique<CMainDlg>(
        MainWindowServices{messages, link, state, fileDialogs, notices, resources, keyboard},
        [this] { ++monitorStarts; });
    pcPage().showOn(pcSurface);
    x360Page().showOn(x360Surface);
    window->initialise(host);
}

void PageFixture::TearDown() {
    window.reset();
}

void PageFixture::connect() {
    KeyMapBytes block{};
    ASSERT_EQ(link.RdEELong(block), 0u);
    x360Page().takeLoad(readX360Items(link));
    state.deviceConnected = 1;
    pcPage().takeDeviceKeyMap(block);
    takeTrace();
}

void PageFixture::press(SkinPage& page, PixelPoint at, PointerButton button) {
    // The main window does nothing with a press a page passes on.
    page.pointerPressed(at, button);
}

void PageFixture::release(SkinPage& page, PixelPoint at, PointerButton button) {
    if (page.pointerReleased(at, button) == PointerAnswer::PassedOn) {
        window->pointerReleased(at, button);
    }
}

void PageFixture::move(SkinPage& page, PixelPoint at, bool leftHeld) {
    page.pointerMoved(at, leftHeld);
}

void PageFixture::click(SkinPage& page, PixelPoint at) {
    press(page, at);
    release(page, at);
}

const TestCanvas& PageFixture::paint(SkinPage& page, int scale) {
    const PixelRect rect = page.pageRect();
    canvas_.emplace(rect.width, rect.height, scale);
    page.compose(*canvas_);
    if (const auto work = page.takeAfterFirstPaint()) {
        work();
    }
    return *canvas_;
}

std::vector<std::string> PageFixture::takeTrace() {
    const std::vector<std::string> lines = trace->lines();
    std::vector<std::string> fresh(lines.begin() + static_cast<long>(traceSeen_), lines.end());
    traceSeen_ = lines.size();
    return fresh;
}

PixelPoint centre(const PixelRect& rect) {
    return {rect.left + rect.width / 2, rect.top + rect.height / 2};
}

} // namespace vantrel::test
