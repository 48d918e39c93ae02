// The screen painter's opening on a real X server: from the call that opens it until its
// full-screen window is on the screen, showing the frozen copy of the whole screen (the server has
// reported the window exposed, and the painter has painted). The window manager maps the window in
// between, as it does for a user. Run it inside
// scripts/desktop-session; it sits beside the program, so the painter finds its cursors.
#include "x11bench.h"

#include "painter/frmScreenPainter.h"

#include <QGuiApplication>
#include <QScreen>

#include <benchmark/benchmark.h>

using namespace vantor;

namespace {

void PainterOpening(benchmark::State& state) {
    bench::timeOpenings<frmScreenPainter>(state, [] { frmScreenPainter::open(); });
    const QSize screen = QGuiApplication::primaryScreen()->size();
    state.SetLabel(QStringLiteral("%1x%2").arg(screen.width()).arg(screen.height()).toStdString());
}
BENCHMARK(PainterOpening)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
