#pragma once

#include "core/colours.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QRgb>
#include <QSize>

namespace vantor {

// The strip along the lens's lower edge that reads the colour under the pointer.
inline constexpr int ReadoutHeight = 18;
// Blocks this large and larger get a grid line between them.
inline constexpr int GridFromFactor = 4;

// The strip for a lens width pixels wide: a swatch of the colour, then "#RRGGBB" and the colour
// in the second format (rgb() unless hsl() was chosen).
QImage readoutStrip(QRgb colour, ColourFormat format, int width);

// The one-pixel lines between the blocks of a lens of the size magnifying factor times, inside
// its one-pixel frame and above the strip; none below GridFromFactor.
QList<QRect> gridLines(QSize lens, int factor);

} // namespace vantor
