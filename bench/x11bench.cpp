#include "x11bench.h"

#include "platform/desktop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTimer>

#include <xcb/xcb.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

void vantor::bench::waitForServer() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11->connection();
    // Any request with a reply will do: the server answers it after all that came before.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

bool vantor::bench::processEventsUntil(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer waited;
    waited.start();
    // Sleeps between events, not to take the processor from the X server, the window manager
    // and the compositor it waits for; the timer wakes it to look at the clock.
    QTimer wake;
    wake.start(10);
    while (!condition() && waited.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return condition();
}

void vantor::bench::settle(int milliseconds) {
    processEventsUntil([] { return false; }, milliseconds);
}

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::printf("%s: no X server (DISPLAY is unset); nothing measured\n",
                    qPrintable(QFileInfo(QString::fromLocal8Bit(argv[0])).fileName()));
        return 0;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    vantor::setDesktop(vantor::createNativeDesktop());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
