#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <Qt>

namespace vantor {

// What a move of the pointer does on the screen painter with these buttons held: the left one
// alone draws, the right one alone rubs out, anything else (both together) does nothing.
enum class PainterAction { None, Draw, Erase };
PainterAction painterActionFor(Qt::MouseButtons buttons);

// A red line, 2 pixels wide, from one point to the other on the painter's picture; the area it
// may have changed.
QRect drawStroke(QImage& picture, QPoint from, QPoint to);

// Puts back the frozen screen's pixels under a 20 x 20 square moved from one point to the other,
// all along the way: on a busy machine the pointer's moves arrive far apart. The area changed.
QRect eraseAlong(QImage& picture, const QImage& frozen, QPoint from, QPoint to);

} // namespace vantor
