// One tick of the foreground-window monitor on a real X server with another program's window in
// front and ten guide lines open, none in reach: the time it takes and the X round trips it
// makes. Run it inside scripts/desktop-session.
#include "core/appstate.h"
#include "guides/newgridline.h"
#include "platform/desktop.h"
#include "shell/frmMain.h"
#include "xroundtrips.h"

#include <QApplication>
#include <QElapsedTimer>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <benchmark/benchmark.h>

using namespace vantor;

namespace {

// A window of "another program": a connection of its own, made the active window.
class OtherWindow {
public:
    OtherWindow() : m_display(XOpenDisplay(nullptr)) {
        m_window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 700, 400, 400, 300,
                                       0, 0, 0x808080);
        XMapWindow(m_display, m_window);
        XSync(m_display, False);
    }
    ~OtherWindow() { XCloseDisplay(m_display); }
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;

    void activate() {
        XEvent event = {};
        event.xclient.type = ClientMessage;
        event.xclient.window = m_window;
        event.xclient.message_type = XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = 2;
        XSendEvent(m_display, DefaultRootWindow(m_display), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
        XSync(m_display, False);
    }
    unsigned long id() const { return m_window; }

private:
    Display* m_display;
    Window m_window;
};

void MonitorTickNothingToDo(benchmark::State& state) {
    OtherWindow other;
    frmMain& main = frmMain::instance();
    [[maybe_unused]] static const bool guidesAdded = [] {
        for (int i = 0; i < 10; ++i)
            NewGridLine(i % 2 ? Align::Vertical : Align::Horizontal, 40 + 30 * i);
        return true;
    }();
    QElapsedTimer waited;
    waited.start();
    while (desktop().foregroundWindow() != other.id() && waited.elapsed() < 3000) {
        other.activate();
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    main.TimerTestForeWindow_Timer();
    if (main.trackedWindow() != other.id()) {
        state.SkipWithError("the other window never came to the front");
        return;
    }
    const long before = bench::xRoundTrips();
    for (auto _ : state)
        main.TimerTestForeWindow_Timer();
    state.counters["round_trips_per_tick"] =
        double(bench::xRoundTrips() - before) / double(state.iterations());
}
BENCHMARK(MonitorTickNothingToDo)->Unit(benchmark::kMicrosecond);

} // namespace
