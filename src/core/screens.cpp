#include "core/screens.h"

#include "core/monitors.h"

#include <QGuiApplication>
#include <QScreen>

namespace vantor {

QRect primaryScreenRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
}

QList<QRect> screenRects() {
    QList<QRect> rects = {primaryScreenRect()};
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            rects.append(screen->geometry());
    return rects;
}

QRect virtualDesktopRect() {
    return boundingBox(screenRects());
}

QRect screenRectAt(QPoint point) {
    const QList<QRect> rects = screenRects();
    return rects[nearestMonitor(rects, QRect(point, QSize(1, 1)))];
}

} // namespace vantor
