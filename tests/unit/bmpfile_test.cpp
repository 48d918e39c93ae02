#include "capture/bmpfile.h"

#include <QBuffer>
#include <QImageWriter>

#include <gtest/gtest.h>

namespace vantor {
namespace {

QByteArray qtBmpOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "BMP").write(image);
    return bytes;
}

TEST(BmpFile, GivesQtsBytesForEveryRowPaddingAndResolution) {
    // Widths 1 to 4 pad their rows by 1, 2, 3 and 0 bytes.
    for (int width = 1; width <= 5; ++width) {
        QImage image(width, 3, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, qRgb(40 * x + 1, 80 * y + 2, 7 * x * y + 3));
        SCOPED_TRACE(width);
        EXPECT_EQ(bmpFileOf(image), qtBmpOf(image));
        image.setDotsPerMeterX(7874);
        image.setDotsPerMeterY(3937);
        const QByteArray expected = qtBmpOf(image);
        EXPECT_EQ(bmpFileOf(image), expected);
        // Written over an earlier file's memory, headers and padding included.
        EXPECT_EQ(bmpFileOf(image, QByteArray(expected.size(), '\xff')), expected);
        // A copy whose padding byte the screen left at zero.
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < width; ++x)
                reinterpret_cast<QRgb*>(image.scanLine(y))[x] &= 0xffffff;
        EXPECT_EQ(bmpFileOf(image), expected);
    }
}

TEST(BmpFile, LeavesNullAndOtherFormatsToQt) {
    EXPECT_TRUE(bmpFileOf(QImage()).isEmpty());
    QImage translucent(2, 2, QImage::Format_ARGB32);
    translucent.fill(Qt::transparent);
    EXPECT_TRUE(bmpFileOf(translucent).isEmpty());
}

} // namespace
} // namespace vantor
