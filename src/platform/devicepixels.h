#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace vantor {

// One screen as Qt lays the desktop out: its top-left corner is where the system has it in
// device pixels, and each of its logical pixels spans ratio device pixels from there.
struct ScreenScale {
    QRect logical;
    qreal ratio = 1;
};

// The screens of the running program, the primary one first.
QList<ScreenScale> screenScales();

// The device pixels the screen covers.
QRect deviceArea(const ScreenScale& screen);

// Between Qt's logical pixels, which the Desktop interface speaks, and the device pixels that the
// window system speaks, by the screen the point lies on; off every screen, by the first.
QPoint toDevicePixels(QPoint logical, const QList<ScreenScale>& screens);
QPoint toLogicalPixels(QPoint device, const QList<ScreenScale>& screens);
// By the screen of the top-left corner, both corners alike, so that rectangles side by side stay
// side by side.
QRect toDevicePixels(const QRect& logical, const QList<ScreenScale>& screens);
QRect toLogicalPixels(const QRect& device, const QList<ScreenScale>& screens);

// The device pixels per logical pixel of the screen under the point, of the first off every screen.
qreal ratioAt(QPoint logical, const QList<ScreenScale>& screens);

} // namespace vantor
