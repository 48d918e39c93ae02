#pragma once

// What the benchmarks that run the program's windows on a real X server share. Linking x11bench
// gives them their main(): Qt on xcb, the program's X11 desktop, then the benchmarks. Run them
// inside scripts/desktop-session.
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

namespace vantor::bench {

// Runs the event loop until the condition holds or the time is up; whether it held.
bool processEventsUntil(const std::function<bool()>& condition, int milliseconds);
// Runs the event loop for a while: for the window manager and the compositor to catch up.
void settle(int milliseconds);

// Waits until the X server has carried out every request Qt sent it: pixels painted are then in
// the window, and a pointer warped is where it was sent.
void waitForServer();

// Times each opening of T, a full-screen window the program keeps one of, as the manual time:
// from the call to open until the window is exposed and painted (the window manager maps it in
// between, as for a user). It then closes it and lets the compositor draw the screen without it
// before the next opening copies the screen. The mean time spent inside open itself, in ms.
template <class T> double timeOpenings(benchmark::State& state, const std::function<void()>& open) {
    using Clock = std::chrono::steady_clock;
    // Notes a paint of any T, also one made inside the call that opens it.
    struct PaintWatch final : QObject {
        bool painted = false;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint && qobject_cast<T*>(watched) != nullptr)
                painted = true;
            return false;
        }
    } watch;
    qApp->installEventFilter(&watch);
    double inCall = 0;
    int openings = 0;
    for (auto _ : state) {
        watch.painted = false;
        const auto start = Clock::now();
        open();
        inCall += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        ++openings;
        const bool painted = processEventsUntil(
            [&] {
                const T* window = T::loadedInstance();
                return watch.painted && window != nullptr && window->windowHandle() != nullptr &&
                       window->windowHandle()->isExposed();
            },
            5000);
        waitForServer();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        const QPointer<T> window = T::loadedInstance();
        T::unloadInstance();
        if (!painted) {
            state.SkipWithError("the window never painted");
            break;
        }
        processEventsUntil([&] { return window.isNull(); }, 5000);
        settle(200);
    }
    qApp->removeEventFilter(&watch);
    return openings == 0 ? 0 : inCall / openings;
}

} // namespace vantor::bench
