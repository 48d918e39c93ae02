#include "rulers/rulerdrag.h"

#include <Qt>

namespace vantor {

QPoint axisLocked(QPoint wanted, QPoint current, std::optional<Align> lock) {
    if (!lock)
        return wanted;
    if (*lock == Align::Vertical)
        return {wanted.x(), current.y()};
    return {current.x(), wanted.y()};
}

std::optional<QPoint> nudgeFor(int key) {
    switch (key) {
    case Qt::Key_Up:
        return QPoint(0, -1);
    case Qt::Key_Down:
        return QPoint(0, 1);
    case Qt::Key_Left:
        return QPoint(-1, 0);
    case Qt::Key_Right:
        return QPoint(1, 0);
    default:
        return std::nullopt;
    }
}

} // namespace vantor
