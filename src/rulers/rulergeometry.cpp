#include "rulers/rulergeometry.h"

#include "snap/resizesnap.h"

#include <algorithm>
#include <limits>

namespace vantor {

namespace {

qint64 overlap(const QRect& a, const QRect& b) {
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

qint64 distance(const QRect& screen, QPoint point) {
    const qint64 dx = point.x() < screen.left()    ? screen.left() - point.x()
                      : point.x() > screen.right() ? point.x() - screen.right()
                                                   : 0;
    const qint64 dy = point.y() < screen.top()      ? screen.top() - point.y()
                      : point.y() > screen.bottom() ? point.y() - screen.bottom()
                                                    : 0;
    return dx * dx + dy * dy;
}

QRect screenFor(const QRect& rect, const QList<QRect>& screens) {
    QRect best = screens.front();
    qint64 bestOverlap = -1;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (const QRect& screen : screens) {
        const qint64 shared = overlap(rect, screen);
        const qint64 away = distance(screen, rect.center());
        if (shared > bestOverlap || (shared == 0 && bestOverlap == 0 && away < bestDistance)) {
            best = screen;
            bestOverlap = shared;
            bestDistance = away;
        }
    }
    return best;
}

// The start of a span of length extent that must lie within [first, first + room): wholly when
// it fits, else with its last `grip` units inside.
int placeAlong(int start, int extent, int first, int room, int grip) {
    if (extent <= room)
        return std::clamp(start, first, first + room - extent);
    const int end = std::clamp(start + extent, first + grip, first + room);
    return end - extent;
}

} // namespace

int lenghtOf(Align align, QSize size) {
    return align == Align::Vertical ? size.height() : size.width();
}

QSize withLenght(Align align, QSize size, int lenght) {
    return align == Align::Vertical ? QSize(size.width(), lenght) : QSize(lenght, size.height());
}

QRect handleRect(Align align, QSize size) {
    if (align == Align::Vertical)
        return QRect(0, size.height() - HandleThickness, size.width(), HandleThickness);
    return QRect(size.width() - HandleThickness, 0, HandleThickness, size.height());
}

std::optional<int> draggedLenght(Align align, QPoint topLeft, QPoint cursor) {
    const int lenght =
        align == Align::Vertical ? cursor.y() - topLeft.y() : cursor.x() - topLeft.x();
    if (lenght < MinimumRuleLenght)
        return std::nullopt;
    return lenght;
}

QPoint reachableRulerPlace(const QRect& rect, Align align, const QList<QRect>& screens) {
    if (screens.isEmpty())
        return rect.topLeft();
    const QRect screen = screenFor(rect, screens);
    const bool vertical = align == Align::Vertical;
    const int grip = std::min(RulerGrip, vertical ? rect.height() : rect.width());
    const int x = vertical
                      ? placeAlong(rect.x(), rect.width(), screen.x(), screen.width(), rect.width())
                      : placeAlong(rect.x(), rect.width(), screen.x(), screen.width(), grip);
    const int y =
        vertical ? placeAlong(rect.y(), rect.height(), screen.y(), screen.height(), grip)
                 : placeAlong(rect.y(), rect.height(), screen.y(), screen.height(), rect.height());
    return {x, y};
}

} // namespace vantor
