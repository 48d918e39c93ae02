#include "shell/appicon.h"

#include "core/palette.h"

#include <QPainter>
#include <QPixmap>

namespace vantor {

void paintAppIcon(QPainter& painter, int size) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    painter.scale(unit, unit);

    // A ruler lying across the icon, tilted so that it reads as a ruler even at 16 pixels.
    painter.translate(8, 8);
    painter.rotate(-35);
    const QRectF body(-8.5, -3.5, 17, 7);
    painter.setPen(QPen(palette::Navy, 0.8));
    painter.setBrush(palette::Blue);
    painter.drawRoundedRect(body, 1.2, 1.2);

    painter.setPen(QPen(Qt::white, size >= 32 ? 0.45 : 0.8));
    for (int i = 0; i <= 7; ++i) {
        const qreal x = -7 + i * 2;
        const qreal length = (i % 2 == 0) ? 3.2 : 1.8;
        painter.drawLine(QPointF(x, -3.5), QPointF(x, -3.5 + length));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::Yellow);
    painter.drawEllipse(QPointF(5.5, 1.6), 1.1, 1.1);
    painter.restore();
}

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paintAppIcon(painter, size);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace vantor
