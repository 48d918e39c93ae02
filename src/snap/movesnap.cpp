#include "snap/movesnap.h"

namespace vantor {

std::optional<QPoint> snapMove(QPoint wanted, QSize size, const QList<GuideLine>& guides) {
    if (guides.isEmpty())
        return std::nullopt;
    int left = wanted.x();
    int top = wanted.y();
    // A vertical guide's reference also sits on the screen's top edge (and a horizontal one's on
    // its left edge), so windows dragged near those edges land one pixel beyond them.
    for (const GuideLine& guide : guides) {
        if (inReach(left, guide.referenceX))
            left = guide.referenceX - 1;
        if (inReach(top, guide.referenceY))
            top = guide.referenceY - 1;
        if (inReach(left + size.width(), guide.referenceX))
            left = guide.referenceX - size.width();
        if (inReach(top + size.height(), guide.referenceY))
            top = guide.referenceY - size.height();
    }
    return QPoint(left, top);
}

} // namespace vantor
