#include "rulers/rulerskin.h"

#include <QTransform>

namespace vantor {

namespace {

// Thickness of the shipped skin, and the length of one background tile.
constexpr int SkinThickness = 44;
constexpr int TileLength = 50;
constexpr int CapLength = 10;

QRgb mix(QColor from, QColor to, double amount) {
    const auto blend = [amount](int a, int b) { return qRound(a + (b - a) * amount); };
    return qRgb(blend(from.red(), to.red()), blend(from.green(), to.green()),
                blend(from.blue(), to.blue()));
}

// The face across the ruler: a lit top edge, a soft fall-off towards a shaded bottom edge.
// Flat along the length, so tiles join seamlessly wherever a redraw starts them.
QRgb faceRow(int y) {
    const QColor white(Qt::white);
    const QColor black(Qt::black);
    const int last = SkinThickness - 1;
    if (y == 0)
        return mix(RulerBackColor, white, 0.35);
    if (y == 1)
        return mix(RulerBackColor, white, 0.12);
    if (y == last)
        return mix(RulerBackColor, black, 0.45);
    if (y == last - 1)
        return mix(RulerBackColor, black, 0.22);
    const double t = double(y - 2) / double(last - 3);
    return t < 0.5 ? mix(RulerBackColor, white, 0.06 * (1.0 - 2.0 * t))
                   : mix(RulerBackColor, black, 0.10 * (2.0 * t - 1.0));
}

QImage horizontalBack() {
    QImage image(TileLength, SkinThickness, QImage::Format_RGB32);
    for (int y = 0; y < SkinThickness; ++y)
        for (int x = 0; x < TileLength; ++x)
            image.setPixel(x, y, faceRow(y));
    return image;
}

// The far end reads as a separate grip: a groove, a darker block and a column of raised dots.
QImage horizontalEnd() {
    QImage image(CapLength, SkinThickness, QImage::Format_RGB32);
    const QColor white(Qt::white);
    const QColor black(Qt::black);
    for (int y = 0; y < SkinThickness; ++y) {
        const QColor face = QColor::fromRgb(faceRow(y));
        for (int x = 0; x < CapLength; ++x)
            image.setPixel(x, y, mix(face, black, 0.20));
        image.setPixel(0, y, mix(face, black, 0.50));
        image.setPixel(1, y, mix(face, white, 0.22));
        image.setPixel(CapLength - 1, y, mix(face, black, 0.38));
    }
    const int middle = SkinThickness / 2;
    for (int y = middle - 9; y <= middle + 7; y += 4) {
        for (const int x : {4, 6}) {
            image.setPixel(x, y, mix(QColor::fromRgb(faceRow(y)), white, 0.60));
            image.setPixel(x + 1, y + 1, mix(QColor::fromRgb(faceRow(y + 1)), black, 0.55));
        }
    }
    return image;
}

QImage transposed(const QImage& image) {
    return image.transformed(QTransform(0, 1, 1, 0, 0, 0));
}

} // namespace

QImage builtInRulerSkin(const QString& fileName) {
    if (fileName == QLatin1String("h_back.gif"))
        return horizontalBack();
    if (fileName == QLatin1String("h_end.gif"))
        return horizontalEnd();
    if (fileName == QLatin1String("v_back.gif"))
        return transposed(horizontalBack());
    if (fileName == QLatin1String("v_end.gif"))
        return transposed(horizontalEnd());
    return {};
}

} // namespace vantor
