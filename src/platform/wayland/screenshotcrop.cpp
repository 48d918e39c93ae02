#include "platform/wayland/screenshotcrop.h"

#include <QPainter>

namespace vantor {

QImage cropScreenshot(const QImage& whole, const QRect& root, const QRect& device) {
    if (device.isEmpty() || root.isEmpty() || whole.isNull())
        return {};
    QImage part(device.size(), QImage::Format_RGB32);
    part.fill(Qt::black);
    const qreal scaleX = qreal(whole.width()) / root.width();
    const qreal scaleY = qreal(whole.height()) / root.height();
    const QRect inside = device & root;
    if (inside.isEmpty())
        return part;
    const QRectF source((inside.x() - root.x()) * scaleX, (inside.y() - root.y()) * scaleY,
                        inside.width() * scaleX, inside.height() * scaleY);
    QPainter painter(&part);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRectF(inside.translated(-device.topLeft())), whole, source);
    return part;
}

} // namespace vantor
