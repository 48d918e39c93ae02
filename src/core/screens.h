#pragma once

#include <QList>
#include <QRect>

namespace vantor {

// The primary screen in logical pixels, or 1024 x 768 while the system reports none.
QRect primaryScreenRect();

// Every screen in logical pixels, the primary one first.
QList<QRect> screenRects();

// The smallest rectangle that holds every screen, in logical pixels.
QRect virtualDesktopRect();

// The screen under the point, else the one nearest to it.
QRect screenRectAt(QPoint point);

} // namespace vantor
