#include "capture/pngfile.h"

#include <QtEndian>

#include <array>

namespace vantor {

namespace {

constexpr int FastestLevel = 1;
constexpr char SubFilter = 1;

quint32 crc32(const char* data, qsizetype size, quint32 crc = 0xffffffffu) {
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> entries{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    for (qsizetype i = 0; i < size; ++i)
        crc = table[(crc ^ quint8(data[i])) & 0xff] ^ (crc >> 8);
    return crc;
}

void appendChunk(QByteArray& file, const char type[4], const QByteArray& data) {
    char length[4];
    qToBigEndian(quint32(data.size()), length);
    file.append(length, 4);
    const qsizetype start = file.size();
    file.append(type, 4);
    file.append(data);
    char crc[4];
    qToBigEndian(~crc32(file.constData() + start, file.size() - start), crc);
    file.append(crc, 4);
}

} // namespace

QByteArray pngFileOf(const QImage& image) {
    if (image.isNull() || image.format() != QImage::Format_RGB32)
        return {};
    const int width = image.width();
    const int height = image.height();
    const qsizetype rowBytes = 1 + qsizetype(width) * 3;
    QByteArray raw(rowBytes * height, Qt::Uninitialized);
    for (int y = 0; y < height; ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        char* row = raw.data() + y * rowBytes;
        row[0] = SubFilter;
        quint8 left[3] = {0, 0, 0};
        for (int x = 0; x < width; ++x) {
            const quint8 rgb[3] = {quint8(qRed(source[x])), quint8(qGreen(source[x])),
                                   quint8(qBlue(source[x]))};
            for (int c = 0; c < 3; ++c) {
                row[1 + x * 3 + c] = char(quint8(rgb[c] - left[c]));
                left[c] = rgb[c];
            }
        }
    }
    // qCompress gives a zlib stream after four bytes of its own: the length before compression.
    const QByteArray deflated = qCompress(raw, FastestLevel);
    if (deflated.size() <= 4)
        return {};

    QByteArray header(13, Qt::Uninitialized);
    qToBigEndian(quint32(width), header.data());
    qToBigEndian(quint32(height), header.data() + 4);
    header[8] = 8; // bits per channel
    header[9] = 2; // red, green and blue
    header[10] = header[11] = header[12] = 0;
    QByteArray file("\x89PNG\r\n\x1a\n", 8);
    file.reserve(8 + 25 + deflated.size() + 12 + 12);
    appendChunk(file, "IHDR", header);
    appendChunk(file, "IDAT",
                QByteArray::fromRawData(deflated.constData() + 4, deflated.size() - 4));
    appendChunk(file, "IEND", {});
    return file;
}

} // namespace vantor
