#include "panels/framelayout.h"

#include "core/rounding.h"
#include "snap/resizesnap.h"

#include <algorithm>

namespace vantor {

namespace {
int halved(int channel) {
    return rounded(channel / 2.0);
}

QRect boxAround(QPoint text, QSize size) {
    return QRect(QPoint(text.x() - 2, text.y() - 2),
                 QPoint(text.x() + size.width() + 1, text.y() + size.height() + 1));
}
} // namespace

QRgb panelShadowColor(QRgb back) {
    const QRgb colour = back & 0xFFFFFF;
    if (colour == 0)
        return qRgb(255, 255, 255);
    if (colour == 0xFFFFFF)
        return qRgb(0, 0, 0);
    return qRgb(halved(qRed(back)), halved(qGreen(back)), halved(qBlue(back)));
}

PanelLabel widthLabelPlace(QSize panel, QSize text) {
    const QPoint at(panel.width() - (text.width() + 5),
                    rounded(panel.height() / 2.0 - text.height() / 2.0));
    return {at, boxAround(at, text)};
}

PanelLabel heightLabelPlace(QSize panel, QSize text) {
    const QPoint at(rounded(panel.width() / 2.0 - text.width() / 2.0),
                    panel.height() - (text.height() + 5));
    return {at, boxAround(at, text)};
}

CornerButtons cornerButtonPlaces(QSize panel, QSize button) {
    CornerButtons places;
    const int top = panel.height() - (button.height() + 2);
    places.resize = QRect(QPoint(panel.width() - (button.width() + 2), top), button);
    places.snap = QRect(QPoint(places.resize.left() - (button.width() + 2), top), button);
    places.close = QRect(QPoint(places.snap.left() - (button.width() + 2), top), button);
    return places;
}

QSize draggedPanelSize(QPoint topLeft, QPoint cursor, QPoint grab, QSize handleSize) {
    const int width = cursor.x() + (handleSize.width() - grab.x()) - topLeft.x();
    const int height = cursor.y() + (handleSize.height() - grab.y()) - topLeft.y();
    return {std::max(width, MinimumPanelSide), std::max(height, MinimumPanelSide)};
}

} // namespace vantor
