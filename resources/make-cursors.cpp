// Draws the screen painter's two cursors, a pencil for drawing and an eraser for the right button,
// and writes them as Windows cursor files into a folder; the script beside this file puts them
// into the skin. Each file is read back with the program's own reader, so a file the program
// cannot use never reaches the skin.
#include "painter/cursorfile.h"

#include <QByteArray>
#include <QFile>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <iterator>

namespace {
constexpr int Side = 32;

// The painter's colours: the program's navy outlines every part, so each cursor shows on a light
// background by its outline and on a dark one by its light fill.
constexpr QColor Navy(8, 34, 92);
constexpr QColor Blue(14, 59, 149);
constexpr QColor Yellow(255, 196, 0);
constexpr QColor Facet(232, 164, 0);
constexpr QColor Wood(242, 214, 160);
constexpr QColor Metal(196, 206, 224);
constexpr QColor Rubber(246, 168, 178);
constexpr QColor Sleeve(206, 222, 246);
constexpr QColor Crumb(250, 250, 250);
constexpr qreal Outline = 1.0;

// Both cursors lie along the same diagonal, working end down-left, the way a right hand holds
// them; drawings are made along the x axis from the working end.
constexpr qreal Tilt = -45;

// The pencil's tip is its hot spot; the graphite point sits just past the pixel's centre so the
// hot spot pixel is the darkest one.
constexpr QPoint PencilHotSpot(1, 30);
constexpr QPointF PencilTip(1.3, 30.7);
constexpr qreal PencilHalfWidth = 5;
constexpr qreal GraphiteEnd = 4.5;
constexpr qreal WoodEnd = 11;
constexpr qreal BodyEnd = 27;
constexpr qreal FerruleEnd = 31;
constexpr qreal PencilEnd = 36;

// The eraser rubs with its whole lower-left face; the middle of that face is its hot spot.
constexpr QPoint EraserHotSpot(6, 25);
constexpr QPointF EraserFace(6.5, 25.5);
constexpr qreal EraserHalfWidth = 6.5;
constexpr qreal RubberEnd = 9;
constexpr qreal BandStart = 14;
constexpr qreal BandEnd = 18;
constexpr qreal EraserEnd = 26;
constexpr qreal EraserCorner = 2.5;

// A cursor file: a directory with one entry, whose planes and bit count fields hold the hot spot,
// then a 32-bit bottom-up device-independent bitmap of twice the height, the colour rows followed
// by the one-bit transparency mask that older readers use.
constexpr int DirectoryBytes = 6;
constexpr int EntryBytes = 16;
constexpr int InfoHeaderBytes = 40;
constexpr int ColourBytes = Side * Side * 4;
constexpr int MaskRowBytes = (Side + 31) / 32 * 4;
constexpr int MaskBytes = MaskRowBytes * Side;
constexpr int PictureBytes = InfoHeaderBytes + ColourBytes + MaskBytes;

QPen outlinePen() {
    return QPen(Navy, Outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void setShape(QPainter& painter, const QColor& fill) {
    painter.setPen(outlinePen());
    painter.setBrush(fill);
}

void drawPencil(QPainter& painter) {
    painter.translate(PencilTip);
    painter.rotate(Tilt);
    const qreal h = PencilHalfWidth;

    setShape(painter, Metal);
    painter.drawRect(QRectF(BodyEnd, -h, FerruleEnd - BodyEnd, 2 * h));
    setShape(painter, Rubber);
    QPainterPath rubber(QPointF(FerruleEnd, -h));
    rubber.lineTo(PencilEnd - 2, -h);
    rubber.quadTo(PencilEnd, -h, PencilEnd, 0);
    rubber.quadTo(PencilEnd, h, PencilEnd - 2, h);
    rubber.lineTo(FerruleEnd, h);
    painter.drawPath(rubber);

    setShape(painter, Yellow);
    painter.drawRect(QRectF(WoodEnd, -h, BodyEnd - WoodEnd, 2 * h));
    // The facets of a hexagonal pencil, which keep the body from reading as a flat yellow bar.
    painter.setPen(QPen(Facet, Outline));
    for (const qreal y : {-h / 3, h / 3})
        painter.drawLine(QPointF(WoodEnd + 1, y), QPointF(BodyEnd - 1, y));

    setShape(painter, Wood);
    const QPointF cone[] = {{0, 0}, {WoodEnd, -h}, {WoodEnd, h}};
    painter.drawPolygon(cone, std::size(cone));
    const qreal graphite = h * GraphiteEnd / WoodEnd;
    setShape(painter, Navy);
    const QPointF point[] = {{0, 0}, {GraphiteEnd, -graphite}, {GraphiteEnd, graphite}};
    painter.drawPolygon(point, std::size(point));
}

void drawEraser(QPainter& painter) {
    painter.translate(EraserFace);
    painter.rotate(Tilt);
    const qreal h = EraserHalfWidth;

    QPainterPath block;
    block.addRoundedRect(QRectF(0, -h, EraserEnd, 2 * h), EraserCorner, EraserCorner);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Crumb);
    painter.drawPath(block);
    // The paper sleeve, with the maker's band across it, leaves only the rubbing end bare.
    painter.setClipPath(block);
    painter.setBrush(Sleeve);
    painter.drawRect(QRectF(RubberEnd, -h, EraserEnd - RubberEnd, 2 * h));
    painter.setBrush(Blue);
    painter.drawRect(QRectF(BandStart, -h, BandEnd - BandStart, 2 * h));
    painter.setClipping(false);
    painter.setPen(outlinePen());
    painter.drawLine(QPointF(RubberEnd, -h), QPointF(RubberEnd, h));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(block);
}

QImage drawCursor(void (*draw)(QPainter&)) {
    QImage picture(Side, Side, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    // Cursor files keep colours unmultiplied by their alpha.
    return picture.convertToFormat(QImage::Format_ARGB32);
}

void appendWord(QByteArray& bytes, int value) {
    bytes.append(char(value & 0xff));
    bytes.append(char(value >> 8 & 0xff));
}

void appendDoubleWord(QByteArray& bytes, int value) {
    appendWord(bytes, value & 0xffff);
    appendWord(bytes, value >> 16 & 0xffff);
}

void appendDirectory(QByteArray& bytes, QPoint hotSpot) {
    appendWord(bytes, 0);
    appendWord(bytes, 2);
    appendWord(bytes, 1);
    bytes.append(char(Side));
    bytes.append(char(Side));
    bytes.append(char(0)); // no palette
    bytes.append(char(0));
    appendWord(bytes, hotSpot.x());
    appendWord(bytes, hotSpot.y());
    appendDoubleWord(bytes, PictureBytes);
    appendDoubleWord(bytes, DirectoryBytes + EntryBytes);
}

void appendInfoHeader(QByteArray& bytes) {
    appendDoubleWord(bytes, InfoHeaderBytes);
    appendDoubleWord(bytes, Side);
    appendDoubleWord(bytes, 2 * Side); // colour rows and mask rows together
    appendWord(bytes, 1);
    appendWord(bytes, 32);
    appendDoubleWord(bytes, 0); // uncompressed
    appendDoubleWord(bytes, ColourBytes + MaskBytes);
    for (int unused = 0; unused < 4; ++unused) // resolution and palette counts
        appendDoubleWord(bytes, 0);
}

void appendColours(QByteArray& bytes, const QImage& picture) {
    for (int y = Side - 1; y >= 0; --y) {
        for (int x = 0; x < Side; ++x) {
            const QRgb pixel = picture.pixel(x, y);
            bytes.append(char(qBlue(pixel)));
            bytes.append(char(qGreen(pixel)));
            bytes.append(char(qRed(pixel)));
            bytes.append(char(qAlpha(pixel)));
        }
    }
}

// A set bit lets the screen show through: every pixel that has no colour at all.
void appendMask(QByteArray& bytes, const QImage& picture) {
    for (int y = Side - 1; y >= 0; --y) {
        QByteArray row(MaskRowBytes, '\0');
        for (int x = 0; x < Side; ++x) {
            if (qAlpha(picture.pixel(x, y)) == 0)
                row[x / 8] = char(row[x / 8] | 0x80 >> x % 8);
        }
        bytes.append(row);
    }
}

QByteArray cursorFile(const QImage& picture, QPoint hotSpot) {
    QByteArray bytes;
    appendDirectory(bytes, hotSpot);
    appendInfoHeader(bytes);
    appendColours(bytes, picture);
    appendMask(bytes, picture);
    return bytes;
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

bool readsBack(const QString& path, const QImage& picture, QPoint hotSpot) {
    QString error;
    const std::optional<vantor::CursorPicture> cursor = vantor::readCursorFile(path, &error);
    if (!cursor) {
        std::fprintf(stderr, "make-cursors: %s: %s\n", qPrintable(path), qPrintable(error));
        return false;
    }
    return cursor->hotSpot == hotSpot && cursor->image == picture;
}

struct Cursor {
    const char* name;
    void (*draw)(QPainter&);
    QPoint hotSpot;
};
constexpr Cursor Cursors[] = {
    {"matita", drawPencil, PencilHotSpot},
    {"gomma", drawEraser, EraserHotSpot},
};
} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: make-cursors OUTPUT-FOLDER\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const Cursor& cursor : Cursors) {
        const QImage picture = drawCursor(cursor.draw);
        const QString path =
            folder + QLatin1Char('/') + QString::fromLatin1(cursor.name) + QStringLiteral(".cur");
        if (!write(path, cursorFile(picture, cursor.hotSpot))) {
            std::fprintf(stderr, "make-cursors: cannot write %s\n", qPrintable(path));
            return 1;
        }
        if (!readsBack(path, picture, cursor.hotSpot)) {
            std::fprintf(stderr, "make-cursors: %s.cur does not read back as drawn\n", cursor.name);
            return 1;
        }
    }
    return 0;
}
