// One drag move of a ruler on a real X server through the program's X11 desktop: the time it
// takes and the X round trips it makes. A move's event carries the pointer and the keys, so it
// needs none. Run it inside scripts/desktop-session.
#include "rulers/frmRule.h"
#include "xroundtrips.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

using namespace vantor;

namespace {

void send(QWidget& target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
          QPoint at) {
    QMouseEvent event(type, target.mapFromGlobal(QPointF(at)), QPointF(at), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
}

void RulerDragMoveOnX11(benchmark::State& state) {
    frmRule rule;
    rule.move(200, 200);
    rule.show();
    QApplication::processEvents();
    send(rule, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(210, 210));
    const long before = bench::xRoundTrips();
    int step = 0;
    for (auto _ : state) {
        const int offset = step++ % 400;
        send(rule, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton,
             QPoint(210 + offset, 210 + offset));
    }
    state.counters["round_trips_per_move"] =
        double(bench::xRoundTrips() - before) / double(state.iterations());
    send(rule, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(210, 210));
}
BENCHMARK(RulerDragMoveOnX11)->Unit(benchmark::kMicrosecond);

} // namespace
