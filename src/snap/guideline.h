#pragma once

#include "core/align.h"

#include <QRect>

namespace vantor {

// What snapping needs of one guide line. All values are screen pixels.
struct GuideLine {
    Align align = Align::Vertical;
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
GuideLine guideLineFor(Align align, const QRect& frame);

// Edges within this many pixels of a guide line, either side and inclusive, jump onto it.
inline constexpr int SnapTolerance = 12;

// Whether value lies within SnapTolerance of target, both ends included.
constexpr bool inReach(int value, int target) {
    return target - SnapTolerance <= value && value <= target + SnapTolerance;
}

} // namespace vantor
