#pragma once

#include <QList>
#include <QRect>

// Snapping code (rulers, section panels, the foreground monitor) reads guides only through
// loadedGuideLines(); it never needs to include the guide window's header.

namespace vantor {

// What the snapping of rulers, section panels and the foreground monitor needs of one guide line.
// All values are screen pixels.
struct GuideLine {
    // 1 vertical, 2 horizontal.
    int align = 0;
    // The guide's line coordinate c (x of a vertical guide, y of a horizontal one); its red line
    // is drawn on pixel c - 1.
    int coordinate = 0;
    // The reference point snapping measures against: (c, window top) for a vertical guide,
    // (window left, c) for a horizontal one. A shown guide spans the screen from 0, so the other
    // coordinate is 0 there.
    int referenceX = 0;
    int referenceY = 0;
};

// The guide line of a guide window with orientation align and window geometry frame.
GuideLine guideLineFor(int align, const QRect& frame);

// Where a guide added without a position goes along an axis that starts at screenStart and is
// screenExtent pixels long: the middle of the screen, each further guide a little past the one
// before so that new guides do not hide each other, in a cycle of a few places.
int defaultGuideCoordinate(int screenStart, int screenExtent, int earlierGuides);

// The guide lines of every loaded, laid-out frmGridLine window, hidden ones included, in the order
// the windows were loaded (the order snapping walks them in, so the last guide in reach wins).
QList<GuideLine> loadedGuideLines();

} // namespace vantor
