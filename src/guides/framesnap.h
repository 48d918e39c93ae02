#pragma once

#include "guides/guidelines.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

// A panel's move snaps exactly as a ruler's does (snapRuleMove in rulers/rulersnap.h, with the
// same reach); what is particular to panels is their resize handle and its snapping.

namespace vantor {

// No panel is made narrower or lower than this, by its handle or by a guide.
inline constexpr int MinimumPanelSide = 20;

// The size a panel at topLeft gets while its resize handle (handleSize, grabbed at grab inside
// it) is dragged to cursor: the right and bottom edges follow the cursor, down to the minimum.
QSize draggedPanelSize(QPoint topLeft, QPoint cursor, QPoint grab, QSize handleSize);

// The size a panel gets when its resize handle is dragged to cursor near guides: a border whose
// cursor coordinate is in reach of a guide's reference point ends on that point, so its last pixel
// lies on the guide's red line; the other border keeps its place. Each guide is measured against
// the cursor and the last guide in reach wins. A guide that would leave the panel under the
// minimum size is ignored. No value when no border snaps: the ordinary resize applies.
std::optional<QSize> snapPanelBorder(const QRect& panel, QPoint cursor,
                                     const QList<GuideLine>& guides);

// The file-name prefix of a panel's capture: the word (text 125), then ".(", width, "x", height
// and ")".
QString sectionCapturePrefix(const QString& word, QSize size);

} // namespace vantor
