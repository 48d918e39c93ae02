#include "measure/measurement.h"

#include "core/monitors.h"
#include "core/palette.h"
#include "core/rounding.h"
#include "core/texts.h"

#include <QFont>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QRegion>

#include <algorithm>

namespace vantor {

namespace {

// Sizes in logical pixels, grown by the target's scale.
constexpr int TickHalf = 4;
constexpr int LabelGap = 14;
constexpr int LabelPadding = 4;
constexpr int LabelFontPixels = 12;

// The measured pixels' first and last corners in the target.
struct Ends {
    QPoint first;
    QPoint last;
};

Ends endsOf(const Measurement& m, const std::function<QPoint(QPoint)>& toTarget) {
    return {toTarget(m.device.topLeft()), toTarget(m.device.bottomRight())};
}

// Beside the pointer for a cross, below the box for a box.
QPoint labelPlace(const Measurement& m, const Ends& ends,
                  const std::function<QPoint(QPoint)>& toTarget, qreal scale) {
    if (m.kind == Measurement::Kind::Spacing)
        return toTarget(m.at) + QPoint(LabelGap, LabelGap) * scale;
    return QPoint(ends.first.x(), ends.last.y() + rounded(LabelPadding * scale));
}

QFont labelFont(qreal scale) {
    QFont font;
    font.setPixelSize(rounded(LabelFontPixels * scale));
    return font;
}

QSize logicalSize(const Measurement& m) {
    return QSize(rounded(m.device.width() / m.ratio), rounded(m.device.height() / m.ratio));
}

} // namespace

QString measurementText(const Measurement& m) {
    const QString size = sizeText(logicalSize(m), m.device.size());
    return m.kind == Measurement::Kind::Empty ? LoadText(137) + QStringLiteral(", ") + size : size;
}

QRect labelBox(const QString& text, QPoint place, qreal scale, const QRect& room) {
    const int padding = rounded(LabelPadding * scale);
    QRect box = QFontMetrics(labelFont(scale))
                    .boundingRect(text)
                    .adjusted(-padding, -padding, padding, padding);
    box.moveTopLeft(place);
    box.moveLeft(
        std::clamp(box.left(), room.left(), std::max(room.left(), room.right() + 1 - box.width())));
    box.moveTop(
        std::clamp(box.top(), room.top(), std::max(room.top(), room.bottom() + 1 - box.height())));
    return box;
}

void drawLabel(QPainter& painter, const QString& text, const QRect& box, qreal scale) {
    painter.setFont(labelFont(scale));
    painter.fillRect(box, palette::Navy);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, text);
}

QRegion measurementArea(const Measurement& m, const std::function<QPoint(QPoint)>& toTarget,
                        qreal scale, const QRect& room) {
    // Thin strips along the lines, wide enough for their end ticks, and the label: a cross over a
    // large plain area must not draw that whole area again.
    const Ends ends = endsOf(m, toTarget);
    const int tick = rounded(TickHalf * scale) + 1;
    const auto strip = [tick](QPoint from, QPoint to) {
        return QRect(from, to).normalized().adjusted(-tick, -tick, tick, tick);
    };
    QRegion area;
    if (m.kind == Measurement::Kind::Spacing) {
        const QPoint at = toTarget(m.at);
        area += strip(QPoint(ends.first.x(), at.y()), QPoint(ends.last.x(), at.y()));
        area += strip(QPoint(at.x(), ends.first.y()), QPoint(at.x(), ends.last.y()));
    } else {
        area += strip(ends.first, QPoint(ends.last.x(), ends.first.y()));
        area += strip(QPoint(ends.first.x(), ends.last.y()), ends.last);
        area += strip(ends.first, QPoint(ends.first.x(), ends.last.y()));
        area += strip(QPoint(ends.last.x(), ends.first.y()), ends.last);
    }
    return area + labelBox(measurementText(m), labelPlace(m, ends, toTarget, scale), scale, room);
}

void drawMeasurement(QPainter& painter, const Measurement& m,
                     const std::function<QPoint(QPoint)>& toTarget, qreal scale) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(palette::Magenta, 0));
    painter.setBrush(Qt::NoBrush);
    const int tick = rounded(TickHalf * scale);
    const Ends ends = endsOf(m, toTarget);
    if (m.kind == Measurement::Kind::Spacing) {
        const QPoint at = toTarget(m.at);
        const QPoint left(ends.first.x(), at.y());
        const QPoint right(ends.last.x(), at.y());
        const QPoint top(at.x(), ends.first.y());
        const QPoint bottom(at.x(), ends.last.y());
        painter.drawLine(left, right);
        painter.drawLine(top, bottom);
        for (const QPoint end : {left, right})
            painter.drawLine(end - QPoint(0, tick), end + QPoint(0, tick));
        for (const QPoint end : {top, bottom})
            painter.drawLine(end - QPoint(tick, 0), end + QPoint(tick, 0));
    } else {
        // A one-pixel pen outlines one pixel more than the rectangle's size: first to last.
        painter.drawRect(QRect(
            ends.first, QSize(ends.last.x() - ends.first.x(), ends.last.y() - ends.first.y())));
    }
    const QRect room(0, 0, painter.device()->width(), painter.device()->height());
    const QString text = measurementText(m);
    drawLabel(painter, text, labelBox(text, labelPlace(m, ends, toTarget, scale), scale, room),
              scale);
    painter.restore();
}

} // namespace vantor
