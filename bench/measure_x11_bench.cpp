// The measuring overlay on a real X server. MeasureMove: one pointer move over a 3840 x 2160
// frozen copy, the edge walk and the drawing of what changed (the frozen pixels under the old and
// the new cross and their labels); MeasureOpening: from the call that opens the overlay until its
// window is exposed and painted, beside ScreenCopy, one copy of the whole screen, in the same run.
// Run it inside scripts/desktop-session.
#include "x11bench.h"

#include "capture/capture.h"
#include "measure/measureoverlay.h"
#include "snap/edgewalk.h"

#include <QPainter>

#include <benchmark/benchmark.h>

using namespace vantor;

namespace {

// A user interface's worth of edges: 40 x 40 grey boxes on white, 80 pixels apart.
QImage busyPicture() {
    QImage picture(3840, 2160, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    for (int y = 20; y < picture.height(); y += 80)
        for (int x = 20; x < picture.width(); x += 80)
            painter.fillRect(x, y, 40, 40, QColor(0x80, 0x80, 0x80));
    return picture;
}

void MeasureMove(benchmark::State& state) {
    const QImage frozen = busyPicture();
    QImage shown = frozen.copy();
    const auto identity = [](QPoint p) { return p; };
    const QRect room = frozen.rect();
    Measurement last;
    int x = 10;
    for (auto _ : state) {
        x = x >= 3800 ? 10 : x + 1;
        const QPoint at(x, 1070);
        const Measurement now{Measurement::Kind::Spacing, crossAt(frozen, at, DefaultTolerance), at,
                              1};
        const QRegion changed =
            measurementArea(last, identity, 1, room) + measurementArea(now, identity, 1, room);
        QPainter painter(&shown);
        painter.setClipRegion(changed);
        painter.drawImage(0, 0, frozen);
        drawMeasurement(painter, now, identity, 1);
        last = now;
    }
}
BENCHMARK(MeasureMove)->Unit(benchmark::kMicrosecond);

void ScreenCopy(benchmark::State& state) {
    for (auto _ : state) {
        QImage copy;
        CaptureScreenArea(copy);
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(ScreenCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

void MeasureOpening(benchmark::State& state) {
    // The program's own part: the copy, and the window asked to show.
    state.counters["open_call_ms"] =
        bench::timeOpenings<MeasureOverlay>(state, [] { MeasureOverlay::open(); });
}
BENCHMARK(MeasureOpening)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
