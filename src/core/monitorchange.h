#pragma once

#include "core/align.h"

#include <QList>
#include <QPoint>
#include <QRect>

namespace vantor {

// Where the tool windows go when monitors come, go or move while the program runs, every
// rectangle in logical pixels. Windows the user left on the monitors stay where they are, also
// those that hang partly off them; what the monitors no longer show is brought back.

// The smallest move that brings a window of which less than half shows on the monitors wholly
// onto the nearest one; none for the others, or when there are no monitors. A sliver is not
// enough to stay: window managers pull one onto a monitor when the monitor a window was on goes,
// and a tool's buttons and grips are rarely in it.
QPoint moveIntoReach(const QRect& window, const QList<QRect>& monitors);

// A guide's strip after the change: along its line it spans the box that holds every monitor;
// across it, a line (the column of a vertical guide's line, the row of a horizontal one) that no
// monitor shows moves onto the nearest one.
QRect guideStripAfterChange(Align align, const QRect& strip, int line,
                            const QList<QRect>& monitors);

} // namespace vantor
