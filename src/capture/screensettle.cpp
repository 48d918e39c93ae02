#include "capture/screensettle.h"

#include "capture/capture.h"
#include "platform/desktop.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QRegion>
#include <QThread>
#include <QWidget>

namespace vantor {

namespace {

using Clock = std::chrono::steady_clock;

// Copies from current on until two in a row are equal, or for at most limit; the last copy.
QImage settled(const std::function<QImage()>& grab, QImage current,
               const std::function<void()>& pump, std::chrono::milliseconds limit) {
    const Clock::time_point start = Clock::now();
    for (;;) {
        pump();
        QImage next = grab();
        if (next == current || Clock::now() - start >= limit)
            return next;
        current = std::move(next);
    }
}

} // namespace

std::optional<QImage> waitForScreenChange(const std::function<QImage()>& grab, const QImage& before,
                                          const std::function<void()>& pump, bool compositor,
                                          ScreenSettleLimits limits) {
    const Clock::time_point start = Clock::now();
    const auto limit = compositor ? limits.compositorLimit : limits.firstChange;
    QImage current;
    do {
        pump();
        current = grab();
    } while (current == before && Clock::now() - start < limit);
    if (current == before)
        return compositor ? std::nullopt : std::optional<QImage>(before);
    return settled(grab, std::move(current), pump, limits.settle);
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
    const auto pump = [] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(5);
    };
    const bool compositor = desktop().compositorRunning();
    window.repaint();
    QGuiApplication::sync();
    QImage withWindow = grabArea();
    // The desktop gave no copy: nothing to wait for, and the caller says why.
    if (withWindow.isNull())
        return withWindow;
    // A compositor shows what the window drew a moment ago only when it next draws: were the
    // copy with the window taken before, its late drawing would pass for the window going away.
    if (compositor)
        withWindow = settled(grabArea, std::move(withWindow), pump, limits.settle);
    const bool byShape = desktop().shapeHidesWindows();
    const QRect place = window.geometry();
    if (byShape)
        window.setMask(QRegion(-1, -1, 1, 1));
    else
        window.hide();
    QGuiApplication::sync();
    std::optional<QImage> under =
        waitForScreenChange(grabArea, withWindow, pump, compositor, limits);
    if (byShape) {
        window.clearMask();
    } else {
        window.setGeometry(place);
        window.show();
    }
    return under;
}

std::optional<QImage> grabDesktopWithout(const QList<QWidget*>& windows,
                                         ScreenSettleLimits limits) {
    const auto grabAll = [] {
        QImage copy;
        CaptureScreenArea(copy);
        return copy;
    };
    QList<QWidget*> shown;
    for (QWidget* window : windows)
        if (window->isVisible())
            shown.append(window);
    if (shown.isEmpty())
        return grabAll();
    const auto pump = [] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(5);
    };
    const bool compositor = desktop().compositorRunning();
    QImage withWindows = grabAll();
    if (withWindows.isNull())
        return withWindows;
    if (compositor)
        withWindows = settled(grabAll, std::move(withWindows), pump, limits.settle);
    for (QWidget* window : std::as_const(shown))
        window->hide();
    QGuiApplication::sync();
    return waitForScreenChange(grabAll, withWindows, pump, compositor, limits);
}

} // namespace vantor
