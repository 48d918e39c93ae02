#include "core/monitorchange.h"

#include "core/monitors.h"

#include <QRegion>

namespace vantor {

QPoint moveIntoReach(const QRect& window, const QList<QRect>& monitors) {
    // A region, so that what mirrored monitors both show counts once.
    QRegion shown;
    for (const QRect& monitor : monitors)
        shown += monitor.intersected(window);
    qint64 shownArea = 0;
    for (const QRect& part : shown)
        shownArea += qint64(part.width()) * part.height();
    if (monitors.isEmpty() || 2 * shownArea >= qint64(window.width()) * window.height())
        return {};
    return moveOnto(window, monitors[nearestMonitor(monitors, window)]);
}

QRect guideStripAfterChange(Align align, const QRect& strip, int line,
                            const QList<QRect>& monitors) {
    const QRect box = boundingBox(monitors);
    if (box.isEmpty())
        return strip;
    if (align == Align::Vertical) {
        const QRect column(line, box.top(), 1, box.height());
        const int move = moveLineOnto(align, line, monitors[nearestMonitor(monitors, column)]);
        return {strip.left() + move, box.top(), strip.width(), box.height()};
    }
    const QRect row(box.left(), line, box.width(), 1);
    const int move = moveLineOnto(align, line, monitors[nearestMonitor(monitors, row)]);
    return {box.left(), strip.top() + move, box.width(), strip.height()};
}

} // namespace vantor
