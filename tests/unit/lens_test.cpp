#include "zoom/lens.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(Lens, EverySourcePixelBecomesAFactorSquareBlockWithoutSmoothing) {
    QImage source(3, 2, QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgb(40 * x, 100 * y, 7));
    for (int factor : {1, 2, 5, 20}) {
        const QImage face = magnified(source, factor);
        EXPECT_EQ(face, source.convertToFormat(QImage::Format_RGB32)
                            .scaled(source.size() * factor, Qt::IgnoreAspectRatio,
                                    Qt::FastTransformation))
            << factor << "x";
        EXPECT_EQ(face.pixel(3 * factor - 1, 2 * factor - 1), qRgb(80, 100, 7)) << factor << "x";
    }
}

} // namespace
} // namespace vantor
