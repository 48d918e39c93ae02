#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>

namespace vantor {

// The side of the square of screen pixels the lens shows, in pixels.
inline constexpr int LensSize = 32;

// The magnifications the lens offers, 2x to 20x in steps of 2, and the one it opens with.
QList<int> zoomFactors();
inline constexpr int FirstZoomFactor = 4;

// The square of the screen the lens shows with the pointer at cursor: the pointer's pixel lies
// at (16, 16) of it.
QRect lensSource(QPoint cursor);

// The lens's picture: the source stretched to factor times its size, every pixel a block of
// factor x factor pixels, no smoothing.
QImage magnified(const QImage& source, int factor);

} // namespace vantor
