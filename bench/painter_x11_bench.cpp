// The screen painter's opening on a real X server: from the call that opens it until its
// full-screen window is on the screen, showing the frozen copy of the whole screen (the server has
// reported the window exposed, and the painter has painted). The window manager maps the window in
// between, as it does for a user. Run it inside
// scripts/desktop-session; it sits beside the program, so the painter finds its cursors.
#include "x11bench.h"

#include "painter/frmScreenPainter.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <chrono>

using namespace vantor;
using Clock = std::chrono::steady_clock;

namespace {

// Notes a paint of any painter window, also one made inside the call that opens it.
class PainterPaintWatch final : public QObject {
public:
    PainterPaintWatch() { qApp->installEventFilter(this); }
    ~PainterPaintWatch() override { qApp->removeEventFilter(this); }
    PainterPaintWatch(const PainterPaintWatch&) = delete;
    PainterPaintWatch& operator=(const PainterPaintWatch&) = delete;
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && qobject_cast<frmScreenPainter*>(watched) != nullptr)
            painted = true;
        return false;
    }
};

void PainterOpening(benchmark::State& state) {
    PainterPaintWatch watch;
    for (auto _ : state) {
        watch.painted = false;
        const auto start = Clock::now();
        frmScreenPainter::open();
        const bool painted = bench::processEventsUntil(
            [&] {
                const frmScreenPainter* painter = frmScreenPainter::loadedInstance();
                return watch.painted && painter != nullptr && painter->windowHandle() != nullptr &&
                       painter->windowHandle()->isExposed();
            },
            5000);
        bench::waitForServer();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        const QPointer<frmScreenPainter> painter = frmScreenPainter::loadedInstance();
        frmScreenPainter::unloadInstance();
        if (!painted) {
            state.SkipWithError("the painter never painted");
            break;
        }
        // Gone from the screen, and the compositor has drawn the screen without it, before the
        // next opening copies the screen.
        bench::processEventsUntil([&] { return painter.isNull(); }, 5000);
        bench::settle(200);
    }
    const QSize screen = QGuiApplication::primaryScreen()->size();
    state.SetLabel(QStringLiteral("%1x%2").arg(screen.width()).arg(screen.height()).toStdString());
}
BENCHMARK(PainterOpening)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
