#include "painter/strokes.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cstdlib>

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

QRect eraseAlong(QImage& picture, const QImage& frozen, QPoint from, QPoint to) {
    const QPoint step = to - from;
    const int steps = std::max(std::abs(step.x()), std::abs(step.y()));
    QRegion swept;
    for (int i = 0; i <= steps; ++i) {
        const QPoint at = steps == 0 ? from : from + step * i / steps;
        swept += QRect(at - QPoint(EraserSide / 2, EraserSide / 2), QSize(EraserSide, EraserSide));
    }
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setClipRegion(swept);
    const QRect area = swept.boundingRect();
    painter.drawImage(area.topLeft(), frozen, area);
    return area;
}

} // namespace vantor
