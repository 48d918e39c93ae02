#include "guides/gridskin.h"

#include "core/skin.h"

#include <QPainter>

namespace vantor {

namespace {
#include "guides/v_grid.xpm"
} // namespace

QString gridPictureName(Align align) {
    return align == Align::Horizontal ? QStringLiteral("h_grid.bmp") : QStringLiteral("v_grid.bmp");
}

QImage builtInGridPicture(Align align) {
    const QImage vertical = QImage(v_grid_xpm).convertToFormat(QImage::Format_RGB32);
    if (align != Align::Horizontal)
        return vertical;
    // The horizontal handle is the vertical one mirrored across its diagonal, as the skin script
    // makes it: the light still falls from the top left.
    QImage horizontal(vertical.height(), vertical.width(), QImage::Format_RGB32);
    for (int y = 0; y < vertical.height(); ++y)
        for (int x = 0; x < vertical.width(); ++x)
            horizontal.setPixel(y, x, vertical.pixel(x, y));
    return horizontal;
}

QImage gridPicture(Align align) {
    return loadSkinPicture(gridPictureName(align), [align] { return builtInGridPicture(align); });
}

void drawGuideStrip(QImage& image, Align align, const QImage& handle) {
    image.fill(GuideKeyColor);
    QPainter painter(&image);
    const qreal ratio = image.devicePixelRatio();
    const int width = qRound(image.width() / ratio);
    const int height = qRound(image.height() / ratio);
    // The line is one device pixel wide at any ratio, the one at the middle of its logical
    // pixel: a logical pixel's width would be doubled at 2 and smeared over two at 1.5.
    painter.setTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    const QColor red = QColor::fromRgb(GuideLineColor);
    const int at = qRound(9 * ratio);
    if (align == Align::Horizontal)
        painter.fillRect(QRect(0, at, qRound((width - 1) * ratio), 1), red);
    else
        painter.fillRect(QRect(at, 0, 1, image.height()), red);
    painter.resetTransform();
    if (align == Align::Horizontal)
        painter.drawImage(QPoint(width - (handle.width() + 2), height / 2 - handle.height() / 2),
                          handle);
    else
        painter.drawImage(QPoint(width / 2 - handle.width() / 2, 2), handle);
}

} // namespace vantor
