#include "guides/framesnap.h"

#include "rulers/rulersnap.h"

#include <algorithm>

namespace vantor {

namespace {
bool inReach(int value, int target) {
    return target - SnapTolerance <= value && value <= target + SnapTolerance;
}
} // namespace

QSize draggedPanelSize(QPoint topLeft, QPoint cursor, QPoint grab, QSize handleSize) {
    const int width = cursor.x() + (handleSize.width() - grab.x()) - topLeft.x();
    const int height = cursor.y() + (handleSize.height() - grab.y()) - topLeft.y();
    return {std::max(width, MinimumPanelSide), std::max(height, MinimumPanelSide)};
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

QString sectionCapturePrefix(const QString& word, QSize size) {
    return QStringLiteral("%1.(%2x%3)").arg(word).arg(size.width()).arg(size.height());
}

} // namespace vantor
