#include "snap/resizesnap.h"

namespace vantor {

std::optional<int> snapRuleEnd(Align ruleAlign, QPoint ruleTopLeft, QPoint cursor,
                               const QList<GuideLine>& guides) {
    std::optional<int> lenght;
    for (const GuideLine& guide : guides) {
        if (guide.align == Align::Horizontal && ruleAlign == Align::Vertical &&
            inReach(cursor.y(), guide.referenceY))
            lenght = guide.referenceY - ruleTopLeft.y();
        else if (guide.align == Align::Vertical && ruleAlign == Align::Horizontal &&
                 inReach(cursor.x(), guide.referenceX))
            lenght = guide.referenceX - ruleTopLeft.x();
    }
    if (lenght && *lenght < MinimumRuleLenght)
        return std::nullopt;
    return lenght;
}

std::optional<QSize> snapPanelBorder(const QRect& panel, QPoint cursor,
                                     const QList<GuideLine>& guides) {
    std::optional<int> width;
    std::optional<int> height;
    for (const GuideLine& guide : guides) {
        const int guideWidth = guide.referenceX - panel.x();
        if (inReach(cursor.x(), guide.referenceX) && guideWidth >= MinimumPanelSide)
            width = guideWidth;
        const int guideHeight = guide.referenceY - panel.y();
        if (inReach(cursor.y(), guide.referenceY) && guideHeight >= MinimumPanelSide)
            height = guideHeight;
    }
    if (!width && !height)
        return std::nullopt;
    return QSize(width.value_or(panel.width()), height.value_or(panel.height()));
}

} // namespace vantor
