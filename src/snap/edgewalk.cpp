#include "snap/edgewalk.h"

#include <algorithm>
#include <cstdlib>

namespace vantor {

namespace {

QRgb pixelAt(const QImage& picture, int x, int y) {
    return reinterpret_cast<const QRgb*>(picture.constScanLine(y))[x];
}

// The last coordinate from `from` in direction step (excluded: limit) whose pixel stays close.
template <typename Pixel>
int walk(int from, int step, int limit, QRgb start, int tolerance, Pixel pixel) {
    int last = from;
    for (int i = from + step; i != limit && coloursClose(pixel(i), start, tolerance); i += step)
        last = i;
    return last;
}

} // namespace

bool coloursClose(QRgb a, QRgb b, int tolerance) {
    // Summed in an int: a sum held in eight bits wraps, and two channels 128 apart each would
    // count as the same colour.
    const int sum = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                    std::abs(qBlue(a) - qBlue(b));
    return sum <= tolerance;
}

int toleranceAfter(int tolerance, int steps) {
    return std::clamp(tolerance + steps * ToleranceStep, 0, MaxTolerance);
}

QRect crossAt(const QImage& picture, QPoint at, int tolerance) {
    if (!picture.rect().contains(at))
        return {};
    const QRgb start = pixelAt(picture, at.x(), at.y());
    const auto inRow = [&](int x) { return pixelAt(picture, x, at.y()); };
    const auto inColumn = [&](int y) { return pixelAt(picture, at.x(), y); };
    const int left = walk(at.x(), -1, -1, start, tolerance, inRow);
    const int right = walk(at.x(), 1, picture.width(), start, tolerance, inRow);
    const int top = walk(at.y(), -1, -1, start, tolerance, inColumn);
    const int bottom = walk(at.y(), 1, picture.height(), start, tolerance, inColumn);
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

std::optional<QRect> boundsIn(const QImage& picture, const QRect& box, int tolerance) {
    const QRect area = box.normalized() & picture.rect();
    if (area.isEmpty())
        return std::nullopt;
    const QRgb border = pixelAt(picture, area.left(), area.top());
    int left = area.right() + 1;
    int right = area.left() - 1;
    int top = area.bottom() + 1;
    int bottom = area.top() - 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (!coloursClose(pixelAt(picture, x, y), border, tolerance)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < left)
        return std::nullopt;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

std::optional<int> edgeNear(const QImage& picture, QPoint at, Align align, int reach, int tolerance,
                            const QRegion& ignored) {
    if (!picture.rect().contains(at))
        return std::nullopt;
    const QRgb start = pixelAt(picture, at.x(), at.y());
    const QPoint step = align == Align::Vertical ? QPoint(1, 0) : QPoint(0, 1);
    const auto coordinate = [align](QPoint p) { return align == Align::Vertical ? p.x() : p.y(); };
    bool before = true;
    bool after = true;
    for (int i = 1; i <= reach && (before || after); ++i)
        for (const int sign : {-1, 1}) {
            bool& open = sign < 0 ? before : after;
            const QPoint p = at + step * (sign * i);
            if (!open)
                continue;
            if (!picture.rect().contains(p) || ignored.contains(p)) {
                open = false;
                continue;
            }
            if (!coloursClose(pixelAt(picture, p.x(), p.y()), start, tolerance))
                return coordinate(p);
        }
    return std::nullopt;
}

} // namespace vantor
