#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QString>

#include <functional>

class QPainter;

namespace vantor {

// One measurement over the frozen screen, in the frozen picture's device pixels.
struct Measurement {
    enum class Kind {
        // The cross of a pointer: device spans its row from left to right and its column from
        // top to bottom.
        Spacing,
        // A dragged box shrunk to what lies inside it.
        Bounds,
        // A dragged box with nothing inside, kept as drawn.
        Empty,
    };
    Kind kind = Kind::Spacing;
    QRect device;
    QPoint at;
    // The device pixels per logical pixel where it was taken.
    qreal ratio = 1;
};

// "412 × 96 px", with the device pixels where they differ; an empty box says so first.
QString measurementText(const Measurement& measurement);

// Draws the measurement with its label; toTarget maps the frozen picture's pixels to the
// painter's, scale is the target's pixels per logical pixel (for the label's size).
void drawMeasurement(QPainter& painter, const Measurement& measurement,
                     const std::function<QPoint(QPoint)>& toTarget, qreal scale);

// The pixels the measurement draws on, label included, in the target's pixels; room is the
// target's whole area, inside which the label is kept.
QRegion measurementArea(const Measurement& measurement,
                        const std::function<QPoint(QPoint)>& toTarget, qreal scale,
                        const QRect& room);

// A label of text with its top-left corner at place, moved inside room where it would leave it.
QRect labelBox(const QString& text, QPoint place, qreal scale, const QRect& room);
void drawLabel(QPainter& painter, const QString& text, const QRect& box, qreal scale);

} // namespace vantor
