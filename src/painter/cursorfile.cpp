#include "painter/cursorfile.h"

#include "core/regularfile.h"

#include <QByteArray>

namespace vantor {

namespace {
// A cursor file starts with a six byte directory header (reserved, type, count) followed by one
// sixteen byte entry per picture; all numbers are little-endian.
constexpr qint64 DirectoryBytes = 6;
constexpr qint64 EntryBytes = 16;
constexpr quint16 CursorType = 2;

// Where the first entry keeps its fields. A cursor reuses the icon entry's planes and bit count
// words for the hot spot.
constexpr qint64 EntryHotSpotX = DirectoryBytes + 4;
constexpr qint64 EntryHotSpotY = DirectoryBytes + 6;
constexpr qint64 EntryPictureBytes = DirectoryBytes + 8;
constexpr qint64 EntryPictureOffset = DirectoryBytes + 12;

// Even a 256 x 256 cursor in several sizes stays well under this; anything larger is not a
// cursor, and is not worth reading into memory to find that out.
constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;

quint16 word(const QByteArray& bytes, qint64 at) {
    return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
}

quint32 doubleWord(const QByteArray& bytes, qint64 at) {
    return quint32(word(bytes, at)) | quint32(word(bytes, at + 2)) << 16;
}

template <typename Value> std::optional<Value> failure(QString* error, const char* reason) {
    if (error)
        *error = QString::fromLatin1(reason);
    return std::nullopt;
}

// The checks are made on the header alone, before any picture decoder sees the bytes, so that a
// file that only pretends to be a cursor is turned away with its reason.
const char* headerProblem(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return "empty file";
    if (bytes.size() < DirectoryBytes + EntryBytes)
        return "too short for a cursor file";
    if (word(bytes, 0) != 0 || word(bytes, 2) != CursorType || word(bytes, 4) == 0)
        return "not a cursor file";
    const qint64 directoryEnd = DirectoryBytes + EntryBytes * word(bytes, 4);
    const qint64 offset = doubleWord(bytes, EntryPictureOffset);
    const qint64 size = doubleWord(bytes, EntryPictureBytes);
    if (directoryEnd > bytes.size() || offset < directoryEnd || size == 0)
        return "damaged cursor directory";
    if (offset + size > bytes.size())
        return "picture runs past the end of the file";
    return nullptr;
}

} // namespace

std::optional<CursorPicture> readCursorFile(const QString& path, QString* error) {
    const std::optional<QByteArray> bytes = readRegularFile(path, MaxFileBytes, error);
    if (!bytes)
        return std::nullopt;
    if (const char* problem = headerProblem(*bytes))
        return failure<CursorPicture>(error, problem);

    // Qt's icon reader decodes every picture depth a cursor may hold, including PNG pictures;
    // it reads the first picture, the one whose entry was checked above.
    const QImage image = QImage::fromData(*bytes, "CUR");
    if (image.isNull())
        return failure<CursorPicture>(error, "picture cannot be decoded");
    const QPoint hotSpot(word(*bytes, EntryHotSpotX), word(*bytes, EntryHotSpotY));
    if (!image.rect().contains(hotSpot))
        return failure<CursorPicture>(error, "hot spot outside the picture");
    return CursorPicture{image.convertToFormat(QImage::Format_ARGB32), hotSpot};
}

} // namespace vantor
