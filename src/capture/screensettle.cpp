#include "capture/screensettle.h"

#include "capture/capture.h"
#include "platform/desktop.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QRegion>
#include <QThread>
#include <QWidget>

namespace vantor {

std::optional<QImage> waitForScreenChange(const std::function<QImage()>& grab, const QImage& before,
                                          const std::function<void()>& pump, bool compositor,
                                          ScreenSettleLimits limits) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const auto limit = compositor ? limits.compositorLimit : limits.firstChange;
    QImage current;
    do {
        pump();
        current = grab();
    } while (current == before && Clock::now() - start < limit);
    if (current == before)
        return compositor ? std::nullopt : std::optional<QImage>(before);
    const Clock::time_point changed = Clock::now();
    for (;;) {
        pump();
        QImage next = grab();
        if (next == current || Clock::now() - changed >= limits.settle)
            return next;
        current = std::move(next);
    }
}

std::optional<QImage> grabUnder(QWidget& window, const QRect& area, ScreenSettleLimits limits) {
    const auto grabArea = [area] {
        QImage copy;
        CaptureScreenRect(copy, area.left(), area.top(), area.left() + area.width(),
                          area.top() + area.height());
        return copy;
    };
    // The copy holds the window itself, blended in by a compositor or drawn opaque without one;
    // it is drawn now, so that a window shown a moment ago is on the screen in that copy too.
    // A shape that covers none of the window then takes it off the screen in both cases, and
    // the shape reaches the server before the copies that wait for its effect.
    window.repaint();
    QGuiApplication::sync();
    const QImage withWindow = grabArea();
    window.setMask(QRegion(-1, -1, 1, 1));
    QGuiApplication::sync();
    std::optional<QImage> under = waitForScreenChange(
        grabArea, withWindow,
        [] {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            QThread::msleep(5);
        },
        desktop().compositorRunning(), limits);
    window.clearMask();
    return under;
}

} // namespace vantor
