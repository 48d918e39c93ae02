// The zoom lens's refresh on a real X server, as its timer runs it: with the pointer moved, the
// 32 x 32 pixels around it copied, stretched to the lens and drawn until the X server holds the
// picture; with nothing changed under a still pointer, the refresh that must draw nothing. What
// the lens drew is counted as the X server reports it (DAMAGE on the lens's window), whoever drew
// it, Qt or the server itself. Run it inside scripts/desktop-session.
#include "x11bench.h"
#include "zoom/frmZoom.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPixmap>

#include <benchmark/benchmark.h>

#include <chrono>

// Xlib defines macros (Bool, Status, None) that clash with Qt; it comes after every Qt header.
#include <X11/Xlib.h>

#include <random>
#include <X11/extensions/Xdamage.h>

using namespace vantor;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int Zoom = 20;
// Over the noise, far from the lens.
constexpr QPoint Spot(300, 300);

// Counts the reports of new pixels in a window, on a connection of its own.
class DrawCounter {
public:
    explicit DrawCounter(QWidget& window) : m_display(XOpenDisplay(nullptr)) {
        int error = 0;
        XDamageQueryExtension(m_display, &m_event, &error);
        m_damage = XDamageCreate(m_display, window.winId(), XDamageReportRawRectangles);
        XSync(m_display, False);
    }
    ~DrawCounter() {
        XDamageDestroy(m_display, m_damage);
        XCloseDisplay(m_display);
    }
    DrawCounter(const DrawCounter&) = delete;
    DrawCounter& operator=(const DrawCounter&) = delete;

    // The drawing requests that reached the server so far, each counted once.
    int draws() {
        XSync(m_display, False);
        while (XPending(m_display) > 0) {
            XEvent event;
            XNextEvent(m_display, &event);
            if (event.type == m_event + XDamageNotify &&
                reinterpret_cast<const XDamageNotifyEvent&>(event).more == 0)
                ++m_draws;
        }
        return m_draws;
    }

private:
    Display* m_display;
    int m_event = 0;
    Damage m_damage;
    int m_draws = 0;
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
    DrawCounter counter(lens);
    int step = 0;
    for (auto _ : state) {
        // The lens's own timer may tick here, over the pixels it already shows.
        QApplication::processEvents();
        QCursor::setPos(Spot + QPoint(step++ % 2, 0));
        bench::waitForServer();
        const auto start = Clock::now();
        lens.TimerCursorZoom_Timer();
        // Whatever Qt has still to paint for it, and the server to carry out.
        QApplication::processEvents();
        bench::waitForServer();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    state.counters["draws_per_tick"] = double(counter.draws()) / double(state.iterations());
}
BENCHMARK(LensTickMoved)->UseManualTime()->Unit(benchmark::kMicrosecond);

void LensTickUnchanged(benchmark::State& state) {
    frmZoom& lens = lensOverNoise();
    QCursor::setPos(Spot);
    bench::waitForServer();
    bench::settle(100);
    DrawCounter counter(lens);
    const int before = counter.draws();
    for (auto _ : state) {
        const auto start = Clock::now();
        lens.TimerCursorZoom_Timer();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        // A paint the tick asked for would come now.
        QApplication::processEvents();
    }
    const int draws = counter.draws() - before;
    state.counters["draws_per_tick"] = double(draws) / double(state.iterations());
    if (draws != 0)
        state.SkipWithError("the lens drew again over pixels that did not change");
}
BENCHMARK(LensTickUnchanged)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
