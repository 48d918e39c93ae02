#pragma once

#include "core/align.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace vantor {

// Rules over the monitors of the virtual desktop, each a rectangle in logical pixels in one
// coordinate space (left of or above the primary monitor is negative). They take the monitors
// as a list so that any layout can be reasoned about without a screen.

// The index of the first monitor that holds the point, or -1 when it lies on none.
int monitorAt(const QList<QRect>& monitors, QPoint point);

// The index of the monitor the rectangle overlaps most, or when it overlaps none, of the one
// closest to it; the earlier one on a tie, -1 without monitors.
int nearestMonitor(const QList<QRect>& monitors, const QRect& rect);

// The smallest move that brings the rectangle fully onto the monitor; one larger than the
// monitor gets its top or left edge onto the monitor's.
QPoint moveOnto(const QRect& rect, const QRect& monitor);

// The smallest move across a guide of the orientation, whose line lies at coordinate (a column
// for a vertical guide, a row for a horizontal one), that brings its line onto the monitor.
int moveLineOnto(Align align, int coordinate, const QRect& monitor);

// The smallest rectangle that holds every monitor; empty without monitors.
QRect boundingBox(const QList<QRect>& monitors);

// A length as a reading shows it: "355 px" in logical pixels, followed by the device pixels it
// covers, "355 px (710)", where a logical pixel is not one device pixel.
QString pixelLengthText(int logical, qreal devicePixelRatio);
// The " (710)" of that: empty where a logical pixel is one device pixel.
QString devicePixelsSuffix(int logical, qreal devicePixelRatio);
// A width and height as a reading shows them, "412 × 96 px", followed by the device pixels they
// cover where those differ, "412 × 96 px (824 × 192)".
QString sizeText(QSize logical, QSize device);

} // namespace vantor
