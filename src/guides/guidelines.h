#pragma once

#include "snap/guideline.h"

#include <QList>

namespace vantor {

// Where a guide added without a position goes along an axis that starts at screenStart and is
// screenExtent pixels long: the middle of the screen, each further guide a little past the one
// before so that new guides do not hide each other, in a cycle of a few places.
int defaultGuideCoordinate(int screenStart, int screenExtent, int earlierGuides);

// The guide lines of every loaded frmGridLine window, hidden ones included, in the order the
// windows were loaded (the order snapping walks them in, so the last guide in reach wins).
QList<GuideLine> loadedGuideLines();

} // namespace vantor
