// The rules of the zoom lens and the screen painter.

#include "painter/strokes.h"
#include "zoom/lens.h"

#include <gtest/gtest.h>

using namespace vantor;

namespace {
constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Green = 0xFF00FF00;
constexpr QRgb White = 0xFFFFFFFF;

QImage filled(QRgb colour) {
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}
} // namespace

TEST(Lens, SourceHasThePointerAt16And16AndEachPixelBecomesABlock) {
    EXPECT_EQ(zoomFactors(), QList<int>({2, 4, 6, 8, 10, 12, 14, 16, 18, 20}));
    EXPECT_EQ(lensSource(QPoint(100, 50)), QRect(84, 34, 32, 32));
    EXPECT_EQ(lensSource(QPoint(0, 0)).topLeft(), QPoint(-16, -16));
    QImage source(2, 2, QImage::Format_RGB32);
    const QRgb colours[] = {Red, Green, White, 0xFF0000FF};
    for (int i = 0; i < 4; ++i)
        source.setPixel(i % 2, i / 2, colours[i]);
    for (int factor : {2, 5}) {
        const QImage big = magnified(source, factor);
        ASSERT_EQ(big.size(), QSize(2 * factor, 2 * factor));
        for (int y = 0; y < big.height(); ++y)
            for (int x = 0; x < big.width(); ++x)
                ASSERT_EQ(big.pixel(x, y), source.pixel(x / factor, y / factor))
                    << factor << ": " << x << "," << y;
    }
    source.setDevicePixelRatio(2);
    EXPECT_EQ(magnified(source, 3).devicePixelRatio(), 2) << "drawn at the copy's own size";
}

TEST(Strokes, TheEraserPutsBackA20By20SquareAllAlongItsWayEvenAtTheEdge) {
    const QImage frozen = filled(Green);
    const std::tuple<QPoint, QPoint, QRect> rows[] = {
        {QPoint(50, 50), QPoint(50, 50), QRect(40, 40, 20, 20)},
        {QPoint(3, 95), QPoint(3, 95), QRect(0, 85, 13, 15)},
        {QPoint(20, 50), QPoint(80, 50), QRect(10, 40, 80, 20)},
    };
    for (const auto& [from, to, restored] : rows) {
        QImage picture = filled(Red);
        eraseAlong(picture, frozen, from, to);
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                ASSERT_EQ(picture.pixel(x, y), restored.contains(x, y) ? Green : Red)
                    << to.x() << "," << to.y() << ": " << x << "," << y;
    }
}
