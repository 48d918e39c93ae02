#include "snap/windowsnap.h"

namespace vantor {

std::optional<QPoint> snapWindowTopLeft(const QRect& frame, const QList<GuideLine>& guides) {
    int left = frame.left();
    int top = frame.top();
    bool leftSnap = false;
    bool topSnap = false;
    for (const GuideLine& guide : guides) {
        if (inReach(left, guide.referenceX)) {
            left = guide.referenceX - 1;
            leftSnap = true;
        }
        if (inReach(top, guide.referenceY)) {
            top = guide.referenceY - 1;
            topSnap = true;
        }
    }
    if (!leftSnap && !topSnap)
        return std::nullopt;
    const QPoint snapped(left + (leftSnap ? 1 : 0), top + (topSnap ? 1 : 0));
    if (snapped == frame.topLeft())
        return std::nullopt;
    return snapped;
}

} // namespace vantor
