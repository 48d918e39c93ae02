#pragma once

#include "core/align.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QRgb>

#include <optional>

namespace vantor {

// How far apart two colours may be and still count as one: the per-channel absolute
// differences summed, at most the tolerance. Sums beyond 255 are far at any tolerance.
constexpr int DefaultTolerance = 30;
constexpr int ToleranceStep = 15;
constexpr int MaxTolerance = 255;

bool coloursClose(QRgb a, QRgb b, int tolerance);

// The tolerance after the wheel turned steps notches (up is positive), kept within 0…255.
int toleranceAfter(int tolerance, int steps);

// The pixels of picture around at whose colours are close to at's, walked out to the left, right,
// up and down until the first pixel that is not, or the picture's edge: the box's left and right
// are the outermost close pixels of at's row, its top and bottom those of at's column. A null box
// when at lies off the picture.
QRect crossAt(const QImage& picture, QPoint at, int tolerance);

// The smallest rectangle inside box holding every pixel that is not close to the colour of the
// box's top-left pixel, the border colour; none when every pixel is close (or box lies off the
// picture). Pixels outside the picture do not count.
std::optional<QRect> boundsIn(const QImage& picture, const QRect& box, int tolerance);

// Where a line of the orientation through at, moved across itself by at most reach pixels,
// meets an edge: the nearest pixel along at's row (a vertical line) or column that is not close
// to at's, before at on a tie. The walk ends at the picture's edge and at pixels of ignored,
// which do not count. The column or row of that pixel; none within reach.
std::optional<int> edgeNear(const QImage& picture, QPoint at, Align align, int reach, int tolerance,
                            const QRegion& ignored = {});

} // namespace vantor
