#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>

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

// Whether picture, a copy of the 1920 x 1080 output, shows the pattern at points of each of its
// colours, away from the top rows where the program's parked toolbar may lie.
inline bool showsPattern(const QImage& picture, const QImage& pattern) {
    const QPoint points[] = {{50, 120}, {300, 300}, {1000, 600}, {1500, 601}, {1919, 1079}};
    int seen = 0;
    for (QPoint at : points) {
        if (!picture.rect().contains(at))
            continue;
        if ((picture.pixel(at) & 0xFFFFFF) != (pattern.pixel(at) & 0xFFFFFF))
            return false;
        ++seen;
    }
    return seen > 0;
}

} // namespace vantor::desk
