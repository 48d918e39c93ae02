#pragma once

#include <QPixmap>

namespace vantor {

// The six pictures of the capture toolbar's buttons, index 0 to 5, 48 x 48 logical pixels each on
// a white background, drawn at the device pixel ratio so they are crisp on scaled screens.
inline constexpr int ToolbarPictureSide = 48;
inline constexpr int ToolbarPictureCount = 6;

// The picture of button `index`: 0 a camera (capture every section panel), 1 a spotlit monitor
// (capture the whole screen), 2 a spotlit program window (capture the current window), 3 a
// magnifying glass (zoom lens), 4 a paint brush dipped in red (screen painter), 5 a printer.
// The pixmap is ToolbarPictureSide * devicePixelRatio device pixels wide and carries that ratio;
// an index outside 0..ToolbarPictureCount - 1, or a ratio too small for one pixel, gives a null
// pixmap.
QPixmap toolbarPicture(int index, qreal devicePixelRatio);

} // namespace vantor
