#include "guides/guidelines.h"

#include "core/formlist.h"
#include "guides/frmGridLine.h"

namespace vantor {

int defaultGuideCoordinate(int screenStart, int screenExtent, int earlierGuides) {
    constexpr int Step = 24;
    constexpr int Places = 8;
    const int index = earlierGuides < 0 ? 0 : earlierGuides % Places;
    return screenStart + screenExtent / 2 + index * Step;
}

QList<GuideLine> loadedGuideLines() {
    QList<GuideLine> lines;
    for (const frmGridLine* guide : FormList::formsOf<frmGridLine>())
        if (guide->isLaidOut())
            lines.append(guideLineFor(guide->Align(), guide->geometry()));
    return lines;
}

} // namespace vantor
