#pragma once

#include "core/align.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace vantor {

// The resize handle's thickness along the ruler, at the far end.
inline constexpr int HandleThickness = 10;
// How much of the far end of a ruler longer than its screen stays on the screen: the handle and
// a stretch of scale to grab.
inline constexpr int RulerGrip = 100;

// The length of a ruler of this size: its width lying, its height upright.
int lenghtOf(Align align, QSize size);
// The size with the length set to lenght and the thickness kept.
QSize withLenght(Align align, QSize size, int lenght);
// Where the resize handle lies inside a ruler of this size: across the far end.
QRect handleRect(Align align, QSize size);
// The length a ruler at topLeft gets while its handle is dragged to cursor; no value when that
// would be shorter than MinimumRuleLenght (the ruler then keeps its length).
std::optional<int> draggedLenght(Align align, QPoint topLeft, QPoint cursor);

// Where a ruler at rect goes after its length or orientation changed, so that it stays within
// reach: a ruler that fits its screen lies wholly on it, a longer one keeps its far end (the
// handle and RulerGrip pixels of scale) on it; across its length it lies wholly on the screen.
// The screen is the one it overlaps most, else the nearest. A ruler in reach keeps its place.
QPoint reachableRulerPlace(const QRect& rect, Align align, const QList<QRect>& screens);

} // namespace vantor
