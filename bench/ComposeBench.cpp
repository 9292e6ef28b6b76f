#include "bench/BenchWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QTest>

#include <string>

namespace vantrel::bench {
namespace {

// Made in main, after the application and gone before it.
BenchWindow* benchWindow = nullptr;

BenchWindow& window() {
    return *benchWindow;
}

// What every paint ends with anyway: one plain copy of a whole 800 by 600 canvas.
void plainCanvasCopy(benchmark::State& state) {
    QImage canvas(800, 600, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::darkGray);
    QImage screen(800, 600, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&screen);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, canvas);
        benchmark::DoNotOptimize(screen.constBits());
    }
}

void composePcPage(benchmark::State& state) {
    CVantrelConfigDlg& page = window().pcPage();
    QtPageCanvas canvas(800, 600);
    for (auto _ : state) {
        page.compose(canvas);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}

void composeX360Page(benchmark::State& state) {
    CKeydefDlg& page = window().x360Page();
    QtPageCanvas canvas(800, 600);
    for (auto _ : state) {
        page.compose(canvas);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}

// The same page while an icon is dragged over a key, which lights it.
void composeX360PageWithDragHighlight(benchmark::State& state) {
    CKeydefDlg& page = window().x360Page();
    QtPageCanvas canvas(800, 600);
    page.pointerPressed({355, 511}, PointerButton::Left); // the icon on key 0
    page.pointerMoved({393, 119}, true);                  // over key 12
    for (auto _ : state) {
        page.compose(canvas);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
    page.pointerReleased({355, 511}, PointerButton::Left);
}

// What a new pad quality reading costs the running program: the repaint of its area, through
// the toolkit, on a shown window.
void pcPageQualityReading(benchmark::State& state) {
    CVantrelConfigDlg& page = window().pcPage();
    window().window().show();
    if (!QTest::qWaitForWindowExposed(&window().window())) {
        state.SkipWithError("the window was never shown");
        return;
    }
    int reading = 0;
    for (auto _ : state) {
        reading = (reading + 7) % 150 - 50;
        page.setQuality(reading, std::to_string(reading));
    }
}

BENCHMARK(plainCanvasCopy)->Unit(benchmark::kMicrosecond);
BENCHMARK(composePcPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(composeX360Page)->Unit(benchmark::kMicrosecond);
BENCHMARK(composeX360PageWithDragHighlight)->Unit(benchmark::kMicrosecond);
BENCHMARK(pcPageQualityReading)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace vantrel::bench

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    vantrel::bench::BenchWindow window;
    vantrel::bench::benchWindow = &window;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
