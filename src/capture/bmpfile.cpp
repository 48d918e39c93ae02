#include "capture/bmpfile.h"

#include <QtEndian>

#include <cstring>
#include <utility>

namespace vantor {

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr int HeadersSize = FileHeaderSize + InfoHeaderSize;

void put16(char* at, quint16 value) {
    qToLittleEndian(value, at);
}

void put32(char* at, quint32 value) {
    qToLittleEndian(value, at);
}

// Blue, green, red for each pixel: four pixels at a time as three words, which is twice as fast
// for a full screen as a byte at a time. The row's padding is set to zero.
void packRow(const QRgb* source, char* target, int width, qsizetype row) {
    int x = 0;
    char* at = target;
    for (; x + 4 <= width; x += 4, at += 12) {
        const quint32 p0 = source[x] & 0xffffff;
        const quint32 p1 = source[x + 1] & 0xffffff;
        const quint32 p2 = source[x + 2] & 0xffffff;
        const quint32 p3 = source[x + 3] & 0xffffff;
        put32(at, p0 | p1 << 24);
        put32(at + 4, p1 >> 8 | p2 << 16);
        put32(at + 8, p2 >> 16 | p3 << 8);
    }
    for (; x < width; ++x, at += 3) {
        at[0] = char(source[x] & 0xff);
        at[1] = char((source[x] >> 8) & 0xff);
        at[2] = char((source[x] >> 16) & 0xff);
    }
    std::memset(at, 0, size_t(target + row - at));
}

} // namespace

QByteArray bmpFileOf(const QImage& image, QByteArray reuse) {
    if (image.isNull() || image.format() != QImage::Format_RGB32)
        return {};
    const int width = image.width();
    const int height = image.height();
    const qsizetype row = (qsizetype(width) * 3 + 3) & ~qsizetype(3);
    const qsizetype pixels = row * height;
    if (pixels > 0x7fffffff - HeadersSize)
        return {};
    QByteArray file = reuse.size() == HeadersSize + pixels
                          ? std::move(reuse)
                          : QByteArray(HeadersSize + pixels, Qt::Uninitialized);
    char* bytes = file.data();
    std::memset(bytes, 0, HeadersSize);
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes + 2, quint32(file.size()));
    put32(bytes + 10, HeadersSize);
    put32(bytes + 14, InfoHeaderSize);
    put32(bytes + 18, quint32(width));
    put32(bytes + 22, quint32(height));
    put16(bytes + 26, 1);
    put16(bytes + 28, 24);
    put32(bytes + 34, quint32(pixels));
    put32(bytes + 38, quint32(image.dotsPerMeterX()));
    put32(bytes + 42, quint32(image.dotsPerMeterY()));
    // Bottom row first.
    for (int y = 0; y < height; ++y)
        packRow(reinterpret_cast<const QRgb*>(image.constScanLine(y)),
                bytes + HeadersSize + (height - 1 - y) * row, width, row);
    return file;
}

} // namespace vantor
