#include "guides/gridskin.h"

#include "shell/skin.h"

#include <QPainter>
#include <QTransform>

namespace vantor {

namespace {
#include "guides/v_grid.xpm"
} // namespace

QString gridPictureName(int align) {
    return align == 2 ? QStringLiteral("h_grid.bmp") : QStringLiteral("v_grid.bmp");
}

QImage builtInGridPicture(int align) {
    const QImage vertical = QImage(v_grid_xpm).convertToFormat(QImage::Format_RGB32);
    if (align != 2)
        return vertical;
    // The horizontal handle is the vertical one turned a quarter clockwise, as the skin script
    // makes it, so its top ends up at the strip's right end.
    return vertical.transformed(QTransform().rotate(90));
}

QImage gridPicture(int align) {
    return loadSkinPicture(gridPictureName(align), [align] { return builtInGridPicture(align); });
}

void drawGuideStrip(QImage& image, int align, const QImage& handle) {
    image.fill(GuideKeyColor);
    QPainter painter(&image);
    const qreal ratio = image.devicePixelRatio();
    const int width = qRound(image.width() / ratio);
    const int height = qRound(image.height() / ratio);
    if (align == 2) {
        painter.fillRect(QRect(0, 9, width - 1, 1), QColor::fromRgb(GuideLineColor));
        painter.drawImage(QPoint(width - (handle.width() + 2), height / 2 - handle.height() / 2),
                          handle);
    } else if (align == 1) {
        painter.fillRect(QRect(9, 0, 1, height), QColor::fromRgb(GuideLineColor));
        painter.drawImage(QPoint(width / 2 - handle.width() / 2, 2), handle);
    }
}

} // namespace vantor
