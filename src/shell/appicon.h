#pragma once

#include <QIcon>

class QPainter;

namespace vantor {

// Paints the program's icon, a blue ruler with white ticks, on a size x size square at the
// painter's origin. The tray icon and the installed icons (resources/make-icons) are this drawing.
void paintAppIcon(QPainter& painter, int size);

// The icon at every size the desktop asks a tray icon for.
QIcon appIcon();

} // namespace vantor
