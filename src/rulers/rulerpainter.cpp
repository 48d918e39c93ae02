#include "rulers/rulerpainter.h"

#include "core/monitors.h"
#include "rulers/rulerscale.h"
#include "rulers/rulerskin.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace vantor {

namespace {

// Writes text with the top of its cell at (x, y); vertical text reads upward from there, its
// cell lying to the right of x.
void writeText(QPainter& painter, const QFontMetrics& metrics, const QString& text, int x, int y,
               bool upward) {
    if (!upward) {
        painter.drawText(QPointF(x, y + metrics.ascent()), text);
        return;
    }
    painter.save();
    painter.translate(x, y);
    painter.rotate(-90);
    painter.drawText(QPointF(0, metrics.ascent()), text);
    painter.restore();
}

void tileBack(QPainter& painter, const RulerFace& face, bool vertical, int lenght, bool partial) {
    if (face.back.isNull())
        return;
    const int step = vertical ? face.back.height() : face.back.width();
    if (step <= 0)
        return;
    for (int at = firstTile(lenght, partial); at <= lenght; at += step)
        painter.drawImage(vertical ? QPoint(0, at) : QPoint(at, 0), face.back);
}

class ScaleWriter {
public:
    ScaleWriter(QPainter& painter, const RulerFace& face, qreal pixel)
        : m_painter(painter), m_face(face), m_vertical(face.align == Align::Vertical),
          m_thickness(m_vertical ? face.size.width() : face.size.height()), m_pixel(pixel),
          m_metrics(painter.font()) {}

    void ticks(int lenght, bool partial) {
        for (int at = firstTick(lenght, partial); at <= lenght; at += TickStep) {
            const TickKind kind = tickKindAt(at);
            tick(at, nearEdgeTick(m_face.align, kind));
            tick(at, farEdgeTick(m_face.align, kind, m_thickness));
            if (kind == TickKind::Long)
                number(at);
        }
    }

private:
    // One device pixel wide, so the scale stays fine on scaled screens.
    void tick(int at, TickSpan span) {
        const qreal across = span.to - span.from + 1;
        if (m_vertical)
            m_painter.fillRect(QRectF(span.from, at, across, m_pixel), Qt::white);
        else
            m_painter.fillRect(QRectF(at, span.from, m_pixel, across), Qt::white);
    }

    void number(int at) {
        const QString text = QString::number(at);
        const int width = m_metrics.horizontalAdvance(text);
        const int height = m_metrics.height();
        if (m_vertical) {
            writeText(m_painter, m_metrics, text, 3, at + 3 + width, true);
            writeText(m_painter, m_metrics, text, m_thickness - (height + 7), at + 3 + width, true);
        } else {
            writeText(m_painter, m_metrics, text, at + 4, 5, false);
            writeText(m_painter, m_metrics, text, at + 4, m_thickness - (height + 8), false);
        }
    }

    QPainter& m_painter;
    const RulerFace& m_face;
    bool m_vertical;
    int m_thickness;
    qreal m_pixel;
    QFontMetrics m_metrics;
};

void drawLabel(QPainter& painter, const RulerFace& face, bool vertical, int lenght) {
    painter.setFont(rulerFont(true));
    const QFontMetrics metrics(painter.font());
    const QString text = rulerLabel(face.lenghtWord, lenght, painter.device()->devicePixelRatioF());
    const int width = metrics.horizontalAdvance(text);
    const int height = metrics.height();
    const int thickness = vertical ? face.size.width() : face.size.height();
    const int start = int(std::nearbyint(thickness / 2.0 - height / 2.0 - 2.0));
    if (vertical) {
        painter.fillRect(QRect(QPoint(start, 0), QPoint(start + height + 2, width + 10)),
                         Qt::black);
        writeText(painter, metrics, text, start, width + 5, true);
    } else {
        painter.fillRect(QRect(QPoint(0, start), QPoint(width + 10, start + height + 2)),
                         Qt::black);
        writeText(painter, metrics, text, 8, start, false);
    }
}

} // namespace

QFont rulerFont(bool bold) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(9);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QString rulerLabel(const QString& lenghtWord, int lenght, qreal devicePixelRatio) {
    const QString full = lenghtWord + QLatin1Char(' ') + pixelLengthText(lenght, devicePixelRatio);
    if (QFontMetrics(rulerFont(true)).horizontalAdvance(full) + 5 > lenght)
        return QString::number(lenght);
    return full;
}

QImage makeRulerCanvas(QSize size, qreal devicePixelRatio) {
    QImage canvas(size * devicePixelRatio, QImage::Format_RGB32);
    canvas.setDevicePixelRatio(devicePixelRatio);
    canvas.fill(RulerBackColor);
    return canvas;
}

void drawRuler(QImage& canvas, const RulerFace& face, bool partial) {
    const bool vertical = face.align == Align::Vertical;
    QPainter painter(&canvas);
    if (!partial)
        painter.fillRect(QRect(QPoint(0, 0), face.size), RulerBackColor);
    const int lenght = vertical ? face.size.height() : face.size.width();
    tileBack(painter, face, vertical, lenght, partial);

    painter.setPen(Qt::white);
    painter.setFont(rulerFont(false));
    ScaleWriter(painter, face, 1.0 / canvas.devicePixelRatio()).ticks(lenght, partial);

    if (!face.end.isNull()) {
        const QPoint at = vertical ? QPoint(0, face.size.height() - face.end.height())
                                   : QPoint(face.size.width() - face.end.width(), 0);
        painter.drawImage(at, face.end);
    }
    drawLabel(painter, face, vertical, lenght);
}

} // namespace vantor
