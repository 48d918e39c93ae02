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

// Puts back the frozen screen's pixels in the 20 x 20 square around `at`; that square.
QRect eraseAround(QImage& picture, const QImage& frozen, QPoint at);

} // namespace vantor
