#include "platform/devicepixels.h"

#include <QGuiApplication>
#include <QScreen>

namespace vantor {

namespace {

ScreenScale screenAt(QPoint point, const QList<ScreenScale>& screens, bool device) {
    for (const ScreenScale& screen : screens)
        if ((device ? deviceArea(screen) : screen.logical).contains(point))
            return screen;
    return screens.isEmpty() ? ScreenScale() : screens.first();
}

// Qt's own rounding, so that a point read here is the one Qt's events carry.
QPoint scaled(QPoint point, QPoint origin, qreal factor) {
    return (QPointF(point - origin) * factor).toPoint() + origin;
}

QRect scaledRect(const QRect& rect, const ScreenScale& screen, qreal factor) {
    const QPoint origin = screen.logical.topLeft();
    return QRect(scaled(rect.topLeft(), origin, factor),
                 scaled(rect.topLeft() + QPoint(rect.width(), rect.height()), origin, factor) -
                     QPoint(1, 1));
}

} // namespace

QRect deviceArea(const ScreenScale& screen) {
    return QRect(screen.logical.topLeft(), (QSizeF(screen.logical.size()) * screen.ratio).toSize());
}

QList<ScreenScale> screenScales() {
    QList<ScreenScale> scales;
    for (const QScreen* screen : QGuiApplication::screens())
        scales.append({screen->geometry(), screen->devicePixelRatio()});
    return scales;
}

QPoint toDevicePixels(QPoint logical, const QList<ScreenScale>& screens) {
    const ScreenScale screen = screenAt(logical, screens, false);
    return scaled(logical, screen.logical.topLeft(), screen.ratio);
}

QPoint toLogicalPixels(QPoint device, const QList<ScreenScale>& screens) {
    const ScreenScale screen = screenAt(device, screens, true);
    return scaled(device, screen.logical.topLeft(), 1 / screen.ratio);
}

QRect toDevicePixels(const QRect& logical, const QList<ScreenScale>& screens) {
    const ScreenScale screen = screenAt(logical.topLeft(), screens, false);
    return scaledRect(logical, screen, screen.ratio);
}

QRect toLogicalPixels(const QRect& device, const QList<ScreenScale>& screens) {
    const ScreenScale screen = screenAt(device.topLeft(), screens, true);
    return scaledRect(device, screen, 1 / screen.ratio);
}

qreal ratioAt(QPoint logical, const QList<ScreenScale>& screens) {
    return screenAt(logical, screens, false).ratio;
}

} // namespace vantor
