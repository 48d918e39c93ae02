#pragma once

#include "snap/guideline.h"

#include <QList>
#include <QPoint>
#include <QRect>

#include <optional>

namespace vantor {

// Where another program's window, whose frame is at `frame`, puts its top-left corner when its
// left or top edge comes within reach of a guide: a snapped left edge lands on a vertical guide's
// line coordinate, one pixel right of its red line, a snapped top edge one pixel below a
// horizontal guide's; an edge that does not snap keeps its place. Both edges are tested against
// every guide, whatever its orientation, so a vertical guide also catches the top edge on the
// screen's top row; a later guide tests what earlier ones left, so the last one in reach wins.
// No value when nothing snaps or the edges already lie where they would go, so that a window at
// rest on a guide is not asked to move again and again.
std::optional<QPoint> snapWindowTopLeft(const QRect& frame, const QList<GuideLine>& guides);

} // namespace vantor
