#include "zoom/lensreadout.h"

#include "core/palette.h"

#include <QFont>
#include <QPainter>

namespace vantor {

namespace {
constexpr int Margin = 3;
constexpr int FontPixels = 11;
} // namespace

QImage readoutStrip(QRgb colour, ColourFormat format, int width) {
    QImage strip(qMax(width, 1), ReadoutHeight, QImage::Format_RGB32);
    strip.fill(palette::Navy);
    QPainter painter(&strip);
    const QRect swatch(Margin, Margin, ReadoutHeight - 2 * Margin, ReadoutHeight - 2 * Margin);
    painter.fillRect(swatch, QColor(colour));
    painter.setPen(Qt::white);
    painter.drawRect(swatch.adjusted(-1, -1, 0, 0));
    QFont font;
    font.setPixelSize(FontPixels);
    painter.setFont(font);
    const ColourFormat second = format == ColourFormat::Hsl ? ColourFormat::Hsl : ColourFormat::Rgb;
    const QString text =
        colourText(colour, ColourFormat::Hex) + QStringLiteral("  ") + colourText(colour, second);
    painter.drawText(QRect(swatch.right() + 2 * Margin, 0, width, ReadoutHeight),
                     Qt::AlignVCenter | Qt::AlignLeft, text);
    return strip;
}

QList<QRect> gridLines(QSize lens, int factor) {
    QList<QRect> lines;
    if (factor < GridFromFactor)
        return lines;
    const int bottom = lens.height() - ReadoutHeight;
    for (int x = factor; x < lens.width() - 1; x += factor)
        lines.append(QRect(x, 1, 1, bottom - 1));
    for (int y = factor; y < bottom; y += factor)
        lines.append(QRect(1, y, lens.width() - 2, 1));
    return lines;
}

} // namespace vantor
