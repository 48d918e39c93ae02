#include "rulers/rulersnap.h"

#include "rulers/rulerscale.h"

namespace vantor {

namespace {
bool inReach(int value, int target) {
    return target - SnapTolerance <= value && value <= target + SnapTolerance;
}
} // namespace

std::optional<QPoint> snapRuleMove(QPoint wanted, QSize size, const QList<GuideLine>& guides) {
    if (guides.isEmpty())
        return std::nullopt;
    int left = wanted.x();
    int top = wanted.y();
    // A vertical guide's reference also sits on the screen's top edge (and a horizontal one's on
    // its left edge), so rulers dragged near those edges land one pixel beyond them.
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

std::optional<int> snapRuleEnd(int ruleAlign, QPoint ruleTopLeft, QPoint cursor,
                               const QList<GuideLine>& guides) {
    std::optional<int> lenght;
    for (const GuideLine& guide : guides) {
        if (guide.align == AlignHorizontal && ruleAlign == AlignVertical &&
            inReach(cursor.y(), guide.referenceY))
            lenght = guide.referenceY - ruleTopLeft.y();
        else if (guide.align == AlignVertical && ruleAlign == AlignHorizontal &&
                 inReach(cursor.x(), guide.referenceX))
            lenght = guide.referenceX - ruleTopLeft.x();
    }
    if (lenght && *lenght < MinimumRuleLenght)
        return std::nullopt;
    return lenght;
}

} // namespace vantor
