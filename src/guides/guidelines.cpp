#include "guides/guidelines.h"

#include "guides/frmGridLine.h"
#include "shell/formlist.h"

namespace vantor {

GuideLine guideLineFor(int align, const QRect& frame) {
    GuideLine line;
    line.align = align;
    if (align == 1) {
        line.coordinate = frame.x() + frame.width() / 2;
        line.referenceX = line.coordinate;
        line.referenceY = frame.y();
    } else {
        line.coordinate = frame.y() + frame.height() / 2;
        line.referenceX = frame.x();
        line.referenceY = line.coordinate;
    }
    return line;
}

int defaultGuideCoordinate(int screenStart, int screenExtent, int earlierGuides) {
    constexpr int Step = 24;
    constexpr int Places = 8;
    const int index = earlierGuides < 0 ? 0 : earlierGuides % Places;
    return screenStart + screenExtent / 2 + index * Step;
}

QList<GuideLine> loadedGuideLines() {
    QList<GuideLine> lines;
    for (QWidget* form : FormList::formsOfType({QStringLiteral("frmgridline")}))
        if (const auto* guide = qobject_cast<const frmGridLine*>(form);
            guide && (guide->Align() == 1 || guide->Align() == 2))
            lines.append(guideLineFor(guide->Align(), guide->geometry()));
    return lines;
}

} // namespace vantor
