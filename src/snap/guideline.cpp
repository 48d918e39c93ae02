#include "snap/guideline.h"

namespace vantor {

GuideLine guideLineFor(Align align, const QRect& frame) {
    GuideLine line;
    line.align = align;
    if (align == Align::Vertical) {
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

} // namespace vantor
