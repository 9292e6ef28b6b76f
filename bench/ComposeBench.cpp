#include "bench/BenchWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace vantrel::bench {
namespace {

BenchWindow& window() {
    static BenchWindow instance;
    return instance;
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
    for (auto _ : state) {
        page.compose();
        benchmark::DoNotOptimize(page.canvas().constBits());
    }
}

void composeX360Page(benchmark::State& state) {
    CKeydefDlg& page = window().x360Page();
    for (auto _ : state) {
        page.compose();
        benchmark::DoNotOptimize(page.canvas().constBits());
    }
}

// The same page while an icon is dragged over a key, which lights it.
void composeX360PageWithDragHighlight(benchmark::State& state) {
    CKeydefDlg& page = window().x360Page();
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), page.mapToGlobal(QPointF(at)), Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(&page, &event);
    };
    send(QEvent::MouseButtonPress, {355, 511}, Qt::LeftButton); // the icon on key 0
    send(QEvent::MouseMove, {393, 119}, Qt::LeftButton);        // over key 12
    for (auto _ : state) {
        page.compose();
        benchmark::DoNotOptimize(page.canvas().constBits());
    }
    send(QEvent::MouseButtonRelease, {355, 511}, Qt::NoButton);
}

BENCHMARK(plainCanvasCopy)->Unit(benchmark::kMicrosecond);
BENCHMARK(composePcPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(composeX360Page)->Unit(benchmark::kMicrosecond);
BENCHMARK(composeX360PageWithDragHighlight)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace vantrel::bench

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
