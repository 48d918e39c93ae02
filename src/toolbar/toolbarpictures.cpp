#include "toolbar/toolbarpictures.h"

#include "core/palette.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <iterator>

namespace vantor {

namespace {
// The icon's colours, and shades of this picture's own beside them.
using namespace palette;
constexpr QColor Metal(176, 190, 212);
constexpr QColor Paint(214, 38, 38);
constexpr QColor Bristle(242, 222, 172);
constexpr QColor Beam(255, 200, 20, 150);

// Every outline has the same weight, so the six buttons read as one set; details are lighter.
constexpr qreal Outline = 2.0;
constexpr qreal Detail = 1.5;
constexpr qreal StarOutline = 1.0;

// The spotlight of the two capture pictures: a tube in the top right corner, shining down-left.
constexpr QPointF SpotlightMouth(37, 11);
constexpr qreal SpotlightAngle = 135;
constexpr qreal TubeLength = 10;
constexpr qreal TubeWidth = 8;
constexpr qreal BeamLength = 23;
constexpr qreal BeamSpread = 10;

constexpr qreal StarRadius = 4;

constexpr QRectF CameraBody(5, 16, 38, 24);
constexpr QRectF CameraViewfinder(12, 11, 10, 6);
constexpr QRectF CameraShutter(31, 12, 7, 4);
constexpr QRectF CameraFlash(34, 20, 5, 3);
constexpr QPointF CameraLens(23, 28);
constexpr qreal LensRim = 9.5;
constexpr qreal LensGlass = 6;
constexpr qreal LensPupil = 3;

constexpr QRectF MonitorFrame(2, 17, 31, 22);
constexpr QRectF MonitorScreen(5.5, 20.5, 24, 15);
constexpr QRectF WindowFrame(2, 17, 32, 26);
constexpr QRectF WindowTitle(2, 17, 32, 7);
constexpr QRectF WindowClient(3, 25, 30, 17);
constexpr qreal WindowButton = 2.5;

constexpr QPointF MagnifierCentre(19, 19);
constexpr qreal MagnifierRim = 14;
constexpr qreal MagnifierGlass = 10;

constexpr QPointF BrushCentre(27, 21);
constexpr qreal PaintStroke = 3;

constexpr QRectF PrinterBody(4, 17, 40, 18);
constexpr QRectF PrinterPaperIn(13, 5, 22, 14);
constexpr QRectF PrinterPaperOut(12, 29, 24, 15);

QPen outlinePen(qreal width = Outline) {
    return QPen(Navy, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void setShape(QPainter& painter, const QColor& fill, qreal width = Outline) {
    painter.setPen(outlinePen(width));
    painter.setBrush(fill);
}

// A four-pointed sparkle rather than a five-pointed star: its points stay sharp at 48 pixels.
void drawStar(QPainter& painter, QPointF centre, qreal radius) {
    const qreal waist = radius * 0.3;
    const QPointF points[] = {
        centre + QPointF(0, -radius), centre + QPointF(waist, -waist),
        centre + QPointF(radius, 0),  centre + QPointF(waist, waist),
        centre + QPointF(0, radius),  centre + QPointF(-waist, waist),
        centre + QPointF(-radius, 0), centre + QPointF(-waist, -waist),
    };
    setShape(painter, Yellow, StarOutline);
    painter.drawPolygon(points, std::size(points));
}

// The beam shows in the air and on the lit glass but not across the dark frame, where translucent
// yellow would turn muddy; `frame` is the outline of the captured thing and `glass` its inside.
void drawSpotlight(QPainter& painter, const QRectF& frame, const QRectF& glass) {
    QPainterPath everywhere;
    everywhere.addRect(0, 0, ToolbarPictureSide, ToolbarPictureSide);
    QPainterPath solid;
    solid.addRect(frame.adjusted(-Outline / 2, -Outline / 2, Outline / 2, Outline / 2));
    QPainterPath lit;
    lit.addRect(glass);

    painter.save();
    painter.setClipPath(everywhere.subtracted(solid).united(lit));
    painter.translate(SpotlightMouth);
    painter.rotate(SpotlightAngle);

    QPainterPath beam(QPointF(0, -TubeWidth / 2));
    beam.lineTo(BeamLength, -BeamSpread);
    beam.quadTo(BeamLength + 4, 0, BeamLength, BeamSpread);
    beam.lineTo(0, TubeWidth / 2);
    beam.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Beam);
    painter.drawPath(beam);

    painter.setClipping(false);
    setShape(painter, Blue);
    painter.drawRoundedRect(QRectF(-TubeLength, -TubeWidth / 2 + 1, TubeLength, TubeWidth - 2), 1.5,
                            1.5);
    setShape(painter, Metal);
    painter.drawRect(QRectF(-2.5, -TubeWidth / 2, 2.5, TubeWidth));
    painter.restore();
}

void drawCamera(QPainter& painter) {
    setShape(painter, Blue);
    painter.drawRoundedRect(CameraViewfinder, 1.5, 1.5);
    setShape(painter, Yellow);
    painter.drawRoundedRect(CameraShutter, 1, 1);
    setShape(painter, Blue);
    painter.drawRoundedRect(CameraBody, 4, 4);

    setShape(painter, Glass, Detail);
    painter.drawRect(CameraFlash);

    setShape(painter, Metal);
    painter.drawEllipse(CameraLens, LensRim, LensRim);
    setShape(painter, Glass);
    painter.drawEllipse(CameraLens, LensGlass, LensGlass);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Navy);
    painter.drawEllipse(CameraLens, LensPupil, LensPupil);
    painter.setBrush(Qt::white);
    painter.drawEllipse(CameraLens + QPointF(-2.5, -2.5), 1.3, 1.3);
}

void drawMonitor(QPainter& painter) {
    setShape(painter, Metal);
    painter.drawRect(QRectF(15, 39, 5, 3));
    painter.drawRoundedRect(QRectF(9, 42, 17, 3), 1.5, 1.5);
    setShape(painter, Blue);
    painter.drawRoundedRect(MonitorFrame, 2, 2);
    setShape(painter, Glass, Detail);
    painter.drawRect(MonitorScreen);

    drawSpotlight(painter, MonitorFrame, MonitorScreen);
    drawStar(painter, QPointF(14, 26), StarRadius);
    drawStar(painter, QPointF(23, 31), StarRadius * 0.7);
    drawStar(painter, QPointF(9, 32), StarRadius * 0.6);
}

void drawWindow(QPainter& painter) {
    setShape(painter, Glass);
    painter.drawRect(WindowFrame);
    setShape(painter, Blue);
    painter.drawRect(WindowTitle);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    for (const qreal x : {25.0, 29.5})
        painter.drawRect(QRectF(x, 19.5, WindowButton, WindowButton));

    drawSpotlight(painter, WindowFrame, WindowClient);
    drawStar(painter, QPointF(14, 31), StarRadius);
    drawStar(painter, QPointF(23, 37), StarRadius * 0.7);
    drawStar(painter, QPointF(8, 38), StarRadius * 0.6);
}

void drawMagnifier(QPainter& painter) {
    painter.save();
    painter.translate(MagnifierCentre);
    painter.rotate(45);
    setShape(painter, Metal);
    painter.drawRect(QRectF(13, -2.5, 5, 5));
    setShape(painter, Blue);
    painter.drawRoundedRect(QRectF(17, -3.5, 15, 7), 3.5, 3.5);
    painter.restore();

    setShape(painter, Blue);
    painter.drawEllipse(MagnifierCentre, MagnifierRim, MagnifierRim);
    setShape(painter, Glass);
    painter.drawEllipse(MagnifierCentre, MagnifierGlass, MagnifierGlass);
    painter.setPen(QPen(Qt::white, Outline, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    // A glint on the upper left of the glass, where light from the top left would catch it.
    const qreal glint = MagnifierGlass * 0.65;
    painter.drawArc(QRectF(MagnifierCentre - QPointF(glint, glint), QSizeF(2 * glint, 2 * glint)),
                    100 * 16, 70 * 16);
}

void drawBrush(QPainter& painter) {
    painter.save();
    painter.translate(BrushCentre);
    painter.rotate(-45);

    QPainterPath bristles(QPointF(-21, 0));
    bristles.cubicTo(-18, -3, -15, -5.5, -8, -5.5);
    bristles.lineTo(-8, 5.5);
    bristles.cubicTo(-15, 5.5, -18, 3, -21, 0);
    setShape(painter, Bristle);
    painter.drawPath(bristles);

    // The paint soaks only the tip; the lighter hair above it says the brush was dipped.
    QPainterPath dipped(QPointF(-21, 0));
    dipped.cubicTo(-18, -3, -16, -5, -13, -5.3);
    dipped.quadTo(-15, 0, -13, 5.3);
    dipped.cubicTo(-16, 5, -18, 3, -21, 0);
    setShape(painter, Paint);
    painter.drawPath(dipped);

    setShape(painter, Metal);
    painter.drawRect(QRectF(-8, -4.5, 7, 9));

    QPainterPath handle(QPointF(-1, -3.5));
    handle.lineTo(17, -2.5);
    handle.quadTo(21, 0, 17, 2.5);
    handle.lineTo(-1, 3.5);
    handle.closeSubpath();
    setShape(painter, Blue);
    painter.drawPath(handle);
    painter.restore();

    QPainterPath stroke(QPointF(3, 43));
    stroke.cubicTo(6, 39, 8, 44, 11, 39);
    painter.setPen(QPen(Paint, PaintStroke, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(stroke);
}

void drawPrinter(QPainter& painter) {
    setShape(painter, Qt::white);
    painter.drawRect(PrinterPaperIn);
    setShape(painter, Blue);
    painter.drawRoundedRect(PrinterBody, 3, 3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Yellow);
    painter.drawEllipse(QPointF(38, 22.5), 1.8, 1.8);

    setShape(painter, Qt::white);
    painter.drawRect(PrinterPaperOut);
    painter.setPen(QPen(Blue, Detail, Qt::SolidLine, Qt::RoundCap));
    for (const qreal y : {34.0, 38.0})
        painter.drawLine(QPointF(16, y), QPointF(32, y));
    // The slot the sheet comes out of, drawn last so the sheet seems to leave from inside.
    painter.setPen(outlinePen());
    painter.drawLine(QPointF(8, PrinterPaperOut.top()), QPointF(40, PrinterPaperOut.top()));
}

using Drawing = void (*)(QPainter&);
constexpr std::array<Drawing, ToolbarPictureCount> Drawings = {
    drawCamera, drawMonitor, drawWindow, drawMagnifier, drawBrush, drawPrinter,
};
} // namespace

QPixmap toolbarPicture(int index, qreal devicePixelRatio) {
    const int side = qRound(ToolbarPictureSide * devicePixelRatio);
    if (index < 0 || index >= ToolbarPictureCount || side <= 0)
        return {};
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = side / qreal(ToolbarPictureSide);
    painter.scale(scale, scale);
    Drawings[index](painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

} // namespace vantor
