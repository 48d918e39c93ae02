#pragma once

#include "guides/guidelines.h"

#include <QList>
#include <QPoint>
#include <QSize>

#include <optional>

namespace vantor {

// Edges within this many pixels of a guide line, either side and inclusive, jump onto it.
inline constexpr int SnapTolerance = 12;
// No ruler is made shorter than this by dragging its far end.
inline constexpr int MinimumRuleLenght = 10;

// Where a ruler of the given size, wanted at top-left `wanted`, lands when dragged among the
// guides: an edge in reach of a guide's reference point puts the ruler's outermost pixel on the
// guide's red line. Every guide tests all four edges, whatever its orientation, and later guides
// test what earlier ones left, so the last guide in reach wins. No value when there is no guide
// at all: then the ruler moves freely.
std::optional<QPoint> snapRuleMove(QPoint wanted, QSize size, const QList<GuideLine>& guides);

// The length a ruler at ruleTopLeft gets when its far end is dragged to cursor near a guide
// across it: its last pixel lands on the guide's red line. No value when no guide is in reach,
// or when snapping would leave the ruler shorter than MinimumRuleLenght.
std::optional<int> snapRuleEnd(int ruleAlign, QPoint ruleTopLeft, QPoint cursor,
                               const QList<GuideLine>& guides);

} // namespace vantor
