#pragma once

#include "core/align.h"

#include <QPoint>

#include <optional>

namespace vantor {

// Where a dragged ruler goes when it is wanted at `wanted` and now stands at `current`. With an
// axis lock (Shift held) it moves only across its own orientation's lock: a vertical ruler only
// sideways, a horizontal one only up and down. Joined rulers all take the lock of the ruler being
// dragged.
QPoint axisLocked(QPoint wanted, QPoint current, std::optional<Align> lock);

// The step an arrow key moves a ruler by, one pixel; no value for any other key (a Qt key code).
std::optional<QPoint> nudgeFor(int key);

} // namespace vantor
