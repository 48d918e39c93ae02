#include "core/monitors.h"

#include "core/rounding.h"

#include <algorithm>

namespace vantor {

namespace {

// How far the span [start, start + length) must move to lie within [first, first + extent).
int shiftInto(int start, int length, int first, int extent) {
    if (length >= extent || start < first)
        return first - start;
    return std::min(0, first + extent - (start + length));
}

// The gap between two spans, 0 when they touch or overlap.
qint64 gap(int start, int end, int otherStart, int otherEnd) {
    return std::max<qint64>({0, qint64(otherStart) - end, qint64(start) - otherEnd});
}

} // namespace

int monitorAt(const QList<QRect>& monitors, QPoint point) {
    for (int i = 0; i < monitors.size(); ++i)
        if (monitors[i].contains(point))
            return i;
    return -1;
}

int nearestMonitor(const QList<QRect>& monitors, const QRect& rect) {
    int best = -1;
    qint64 bestOverlap = 0;
    qint64 bestDistance = 0;
    for (int i = 0; i < monitors.size(); ++i) {
        const QRect& monitor = monitors[i];
        const QRect common = monitor.intersected(rect);
        const qint64 overlap = qint64(common.width()) * common.height();
        const qint64 dx = gap(rect.left(), rect.right(), monitor.left(), monitor.right());
        const qint64 dy = gap(rect.top(), rect.bottom(), monitor.top(), monitor.bottom());
        const qint64 distance = dx * dx + dy * dy;
        if (best < 0 || overlap > bestOverlap ||
            (overlap == 0 && bestOverlap == 0 && distance < bestDistance)) {
            best = i;
            bestOverlap = overlap;
            bestDistance = distance;
        }
    }
    return best;
}

QPoint moveOnto(const QRect& rect, const QRect& monitor) {
    return {shiftInto(rect.left(), rect.width(), monitor.left(), monitor.width()),
            shiftInto(rect.top(), rect.height(), monitor.top(), monitor.height())};
}

int moveLineOnto(Align align, int coordinate, const QRect& monitor) {
    return align == Align::Vertical ? shiftInto(coordinate, 1, monitor.left(), monitor.width())
                                    : shiftInto(coordinate, 1, monitor.top(), monitor.height());
}

QRect boundingBox(const QList<QRect>& monitors) {
    QRect box;
    for (const QRect& monitor : monitors)
        box |= monitor;
    return box;
}

QString pixelLengthText(int logical, qreal devicePixelRatio) {
    return QString::number(logical) + QStringLiteral(" px") +
           devicePixelsSuffix(logical, devicePixelRatio);
}

QString devicePixelsSuffix(int logical, qreal devicePixelRatio) {
    if (devicePixelRatio == 1.0)
        return {};
    return QStringLiteral(" (") + QString::number(rounded(logical * devicePixelRatio)) +
           QLatin1Char(')');
}

QString sizeText(QSize logical, QSize device) {
    const auto pair = [](QSize size) {
        return QString::number(size.width()) + QStringLiteral(" \u00d7 ") +
               QString::number(size.height());
    };
    QString text = pair(logical) + QStringLiteral(" px");
    if (device != logical)
        text += QStringLiteral(" (") + pair(device) + QLatin1Char(')');
    return text;
}

} // namespace vantor
