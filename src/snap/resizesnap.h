#pragma once

#include "snap/guideline.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace vantor {

// No ruler is made shorter than this by dragging its far end.
inline constexpr int MinimumRuleLenght = 10;
// No panel is made narrower or lower than this, by its handle or by a guide.
inline constexpr int MinimumPanelSide = 20;

// The length a ruler at ruleTopLeft gets when its far end is dragged to cursor near a guide
// across it: its last pixel lands on the guide's red line. No value when no guide is in reach,
// or when snapping would leave the ruler shorter than MinimumRuleLenght.
std::optional<int> snapRuleEnd(Align ruleAlign, QPoint ruleTopLeft, QPoint cursor,
                               const QList<GuideLine>& guides);

// The size a panel gets when its resize handle is dragged to cursor near guides: a border whose
// cursor coordinate is in reach of a guide's reference point ends on that point, so its last pixel
// lies on the guide's red line; the other border keeps its place. Each guide is measured against
// the cursor and the last guide in reach wins. A guide that would leave the panel under the
// minimum size is ignored. No value when no border snaps: the ordinary resize applies.
std::optional<QSize> snapPanelBorder(const QRect& panel, QPoint cursor,
                                     const QList<GuideLine>& guides);

} // namespace vantor
