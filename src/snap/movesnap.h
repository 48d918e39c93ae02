#pragma once

#include "snap/guideline.h"

#include <QList>
#include <QPoint>
#include <QSize>

#include <optional>

namespace vantor {

// Where a ruler or a section panel of the given size, wanted at top-left `wanted`, lands when
// dragged among the guides: an edge in reach of a guide's reference point puts the window's
// outermost pixel on the guide's red line. Every guide tests all four edges, whatever its
// orientation, and later guides test what earlier ones left, so the last guide in reach wins.
// No value when there is no guide at all: then the window moves freely.
std::optional<QPoint> snapMove(QPoint wanted, QSize size, const QList<GuideLine>& guides);

} // namespace vantor
