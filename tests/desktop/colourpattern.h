#pragma once

#include <QImage>
#include <QPainter>

namespace vantor::desk {

// What the native Wayland client shows over the whole output: blue, with a red and a green
// block and a white line, so that a copy of any part of it tells where it came from.
inline QImage colourPattern(QSize size) {
    QImage pattern(size, QImage::Format_RGB32);
    pattern.fill(0x2050c0);
    QPainter painter(&pattern);
    painter.fillRect(QRect(100, 150, 400, 250), QColor(0xff0000));
    painter.fillRect(QRect(900, 500, 300, 200), QColor(0x00ff00));
    painter.fillRect(QRect(0, 600, size.width(), 3), QColor(0xffffff));
    return pattern;
}

} // namespace vantor::desk
