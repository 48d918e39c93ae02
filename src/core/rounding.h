#pragma once

#include <QPoint>
#include <QPointF>

#include <cmath>

namespace vantor {

// Fractions become whole numbers the one way the program rounds: to the nearest, halves to the
// even neighbour (2.5 gives 2, 3.5 gives 4).
inline int rounded(double value) {
    return int(std::nearbyint(value));
}

inline QPoint rounded(QPointF point) {
    return {rounded(point.x()), rounded(point.y())};
}

} // namespace vantor
