#pragma once

#include "core/align.h"

#include <QColor>
#include <QImage>

namespace vantor {

// Colours of a guide line: the red line, and the key colour whose pixels are see-through and let
// clicks through to the window below.
inline constexpr QRgb GuideLineColor = 0xFFFF0000;
inline constexpr QRgb GuideKeyColor = 0xFFFF00FF;

// The file name of the grab handle picture of a guide.
QString gridPictureName(Align align);

// The program's own copy of a guide's grab handle: what
// v_grid.bmp and h_grid.bmp hold, for when the skin file cannot be read.
QImage builtInGridPicture(Align align);

// The grab handle from the skin folder, or the built-in copy when the file cannot be read.
QImage gridPicture(Align align);

// Draws a guide strip of orientation align into image, whose size is
// the strip's size in device pixels: key colour everywhere, the red line on logical column or
// row 9, and the grab handle near the top (vertical) or the right end (horizontal).
void drawGuideStrip(QImage& image, Align align, const QImage& handle);

} // namespace vantor
