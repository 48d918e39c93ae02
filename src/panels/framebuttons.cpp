#include "panels/framebuttons.h"

#include <QPainter>

namespace vantor {

namespace {
constexpr QRgb Stroke = 0xFFF4F4F4;
constexpr QRgb DarkCentre = 0xFF303030;

void line(QPainter& painter, int x1, int y1, int x2, int y2) {
    painter.drawLine(x1, y1, x2, y2);
}
} // namespace

QImage frameButtonPicture(FrameButton button) {
    QImage picture(FrameButtonSide, FrameButtonSide, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(QColor::fromRgba(Stroke));
    const int last = FrameButtonSide - 1;
    painter.drawRect(0, 0, last, last);
    switch (button) {
    case FrameButton::Close:
        line(painter, 4, 4, 11, 11);
        line(painter, 11, 4, 4, 11);
        break;
    case FrameButton::Snap:
        painter.fillRect(QRect(QPoint(3, 4), QPoint(12, 11)), QColor::fromRgba(Stroke));
        painter.fillRect(QRect(QPoint(6, 6), QPoint(9, 9)), QColor::fromRgba(DarkCentre));
        break;
    case FrameButton::Resize:
        line(painter, 4, 4, 11, 11);
        line(painter, 4, 4, 8, 4);
        line(painter, 4, 4, 4, 8);
        line(painter, 11, 11, 7, 11);
        line(painter, 11, 11, 11, 7);
        break;
    }
    return picture;
}

} // namespace vantor
