#include "painter/strokes.h"

#include <QPainter>

namespace vantor {

namespace {
constexpr int PenWidth = 2;
constexpr int EraserSide = 20;
} // namespace

PainterAction painterActionFor(Qt::MouseButtons buttons) {
    if (buttons == Qt::LeftButton)
        return PainterAction::Draw;
    if (buttons == Qt::RightButton)
        return PainterAction::Erase;
    return PainterAction::None;
}

QRect drawStroke(QImage& picture, QPoint from, QPoint to) {
    QPainter painter(&picture);
    painter.setPen(QPen(QColor(255, 0, 0), PenWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
    return QRect(from, to).normalized().adjusted(-PenWidth, -PenWidth, PenWidth, PenWidth);
}

QRect eraseAround(QImage& picture, const QImage& frozen, QPoint at) {
    const QRect square(at - QPoint(EraserSide / 2, EraserSide / 2), QSize(EraserSide, EraserSide));
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(square.topLeft(), frozen, square);
    return square;
}

} // namespace vantor
