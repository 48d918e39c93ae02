// The zoom lens's refresh on a real X server, as its timer runs it: with the pointer moved, the
// 32 x 32 pixels around it copied, stretched to the lens and painted until the X server holds
// the picture; with nothing changed under a still pointer, the refresh that must paint nothing.
// Run it inside scripts/desktop-session.
#include "x11bench.h"
#include "zoom/frmZoom.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPixmap>

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>

using namespace vantor;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int Zoom = 20;
// Over the noise, far from the lens.
constexpr QPoint Spot(300, 300);

class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// A window of random pixels under the pointer, so that a move of one pixel changes all the lens
// shows; and the lens at 20x beside it, both on the screen.
frmZoom& lensOverNoise() {
    static QLabel* noise = [] {
        QImage pixels(400, 400, QImage::Format_RGB32);
        std::mt19937 random(1);
        for (int y = 0; y < pixels.height(); ++y)
            for (int x = 0; x < pixels.width(); ++x)
                pixels.setPixel(x, y, 0xff000000u | (random() & 0xffffffu));
        auto* label = new QLabel;
        label->setWindowFlags(Qt::FramelessWindowHint);
        label->setPixmap(QPixmap::fromImage(pixels));
        label->setGeometry(100, 100, 400, 400);
        label->show();
        return label;
    }();
    frmZoom& lens = frmZoom::instance();
    if (lens.zoomFactor() != Zoom) {
        lens.SetZoom(Zoom);
        lens.move(1200, 100);
        lens.show();
        bench::settle(500);
    }
    noise->raise();
    return lens;
}

void LensTickMoved(benchmark::State& state) {
    frmZoom& lens = lensOverNoise();
    const PaintCounter counter(lens);
    int step = 0;
    for (auto _ : state) {
        // The lens's own timer may tick here, over the pixels it already shows.
        QApplication::processEvents();
        QCursor::setPos(Spot + QPoint(step++ % 2, 0));
        bench::waitForServer();
        const auto start = Clock::now();
        lens.TimerCursorZoom_Timer();
        lens.repaint();
        bench::waitForServer();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    state.counters["paints_per_tick"] = double(counter.paints) / double(state.iterations());
}
BENCHMARK(LensTickMoved)->UseManualTime()->Unit(benchmark::kMicrosecond);

void LensTickUnchanged(benchmark::State& state) {
    frmZoom& lens = lensOverNoise();
    QCursor::setPos(Spot);
    bench::waitForServer();
    bench::settle(100);
    const PaintCounter counter(lens);
    for (auto _ : state) {
        const auto start = Clock::now();
        lens.TimerCursorZoom_Timer();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        // A paint the tick asked for would come now.
        QApplication::processEvents();
    }
    state.counters["paints_per_tick"] = double(counter.paints) / double(state.iterations());
    if (counter.paints != 0)
        state.SkipWithError("the lens painted again over pixels that did not change");
}
BENCHMARK(LensTickUnchanged)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
