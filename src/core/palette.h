#pragma once

#include <QColor>

namespace vantor::palette {

// The colours of the program icon's ruler. The toolbar's buttons and the about box take theirs
// from here too, so that every picture the program draws reads as the same program.
inline constexpr QColor Blue(14, 59, 149);
inline constexpr QColor Navy(8, 34, 92);
inline constexpr QColor Yellow(255, 196, 0);
inline constexpr QColor Glass(206, 222, 246);
// The measuring overlay's lines: seen on white, on black and on the greys of a user interface.
inline constexpr QColor Magenta(236, 0, 140);

} // namespace vantor::palette
