#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace vantor {

// Where the section capture's section first stands, and its size.
inline constexpr QRect FirstSectionPlace(52, 209, 229, 154);
// The layer's see-through colour.
inline constexpr QRgb SectionKeyColor = 0xFFFF0000;

// The picture the section paints from: all key colour, that is see-through, but for a black
// square from (100, 100) to (200, 200), the spot where the section shows black over the screen.
QImage sectionSource(QSize screen);

// Where the section goes when the left button, pressed at grab inside it, is at cursor: the
// grab point stays under the pointer.
QPoint draggedSectionPlace(QPoint cursor, QPoint grab);

} // namespace vantor
