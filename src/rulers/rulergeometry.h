#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace vantor {

// How much of the far end of a ruler longer than its screen stays on the screen: the handle and
// a stretch of scale to grab.
inline constexpr int RulerGrip = 100;

// Where a ruler at rect (orientation align: 1 vertical, 2 horizontal) goes after its length or
// orientation changed, so that it stays within reach: a ruler that fits its screen lies wholly on
// it, a longer one keeps its far end (the handle and RulerGrip pixels of scale) on it; across its
// length it lies wholly on the screen. The screen is the one it overlaps most, else the nearest.
// A ruler already in reach keeps its place.
QPoint reachableRulerPlace(const QRect& rect, int align, const QList<QRect>& screens);

} // namespace vantor
