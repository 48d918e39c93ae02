#pragma once

#include <QList>
#include <QRect>

namespace vantor {

// The primary screen in logical pixels, or 1024 x 768 while the system reports none.
QRect primaryScreenRect();

// Every screen in logical pixels, the primary one first.
QList<QRect> screenRects();

} // namespace vantor
