#pragma once

#include <QImage>

namespace vantor {

enum class FrameButton { Close, Snap, Resize };

// Side of every corner button picture, in pixels.
inline constexpr int FrameButtonSide = 16;

// The picture of a corner button: light strokes in a light frame on a transparent background,
// meant to lie over the panel's shadow-coloured box. Close is a cross, Snap a filled rectangle
// with a dark centre, Resize a diagonal double arrow.
QImage frameButtonPicture(FrameButton button);

} // namespace vantor
