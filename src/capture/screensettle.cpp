#include "capture/screensettle.h"

#include "capture/capture.h"
#include "platform/desktop.h"

#include <QCoreApplication>
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
    // The copy holds the window itself, blended in by a compositor or drawn opaque without one.
    // A shape that covers none of the window takes it off the screen in both cases.
    const QImage withWindow = grabArea();
    window.setMask(QRegion(-1, -1, 1, 1));
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
