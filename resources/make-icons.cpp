// Writes the program's icon into an icon theme folder as the desktop's application menu and
// package tools look for it: hicolor/<N>x<N>/apps/vantor-screen-tools.png at each size and
// hicolor/scalable/apps/vantor-screen-tools.svg, all painted by the tray icon's own drawing.
// The build runs it; the files are installed from the build folder. With --ico it writes the
// Windows program's icon instead: one .ico file holding every size Explorer asks for.
#include "shell/appicon.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>
#include <iterator>

namespace {

const QString Name = QStringLiteral("vantor-screen-tools");

QImage painted(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    vantor::paintAppIcon(painter, size);
    return image;
}

bool writePng(const QString& theme, int size) {
    const QString folder = theme + QStringLiteral("/%1x%1/apps").arg(size);
    return QDir().mkpath(folder) && painted(size).save(folder + QLatin1Char('/') + Name + ".png");
}

void appendLittleEndian(QByteArray& to, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        to.append(char((value >> (8 * i)) & 0xff));
}

// An icon directory whose pictures are PNG files, which Windows reads since Vista; a side of 256
// is written as 0.
bool writeIco(const QString& file) {
    constexpr int Sizes[] = {16, 20, 24, 32, 40, 48, 64, 128, 256};
    constexpr int Count = int(std::size(Sizes));
    constexpr int HeaderBytes = 6;
    constexpr int EntryBytes = 16;
    QByteArray header;
    QByteArray pictures;
    appendLittleEndian(header, 0, 2);
    appendLittleEndian(header, 1, 2); // an icon, not a cursor
    appendLittleEndian(header, Count, 2);
    for (int size : Sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) || !painted(size).save(&buffer, "PNG"))
            return false;
        header.append(char(size % 256));
        header.append(char(size % 256));
        appendLittleEndian(header, 0, 2); // no palette, reserved
        appendLittleEndian(header, 1, 2); // planes
        appendLittleEndian(header, 32, 2);
        appendLittleEndian(header, quint32(png.size()), 4);
        appendLittleEndian(header, quint32(HeaderBytes + Count * EntryBytes + pictures.size()), 4);
        pictures += png;
    }
    QFile out(file);
    return out.open(QIODevice::WriteOnly) &&
           out.write(header + pictures) == header.size() + pictures.size() && out.flush();
}

// The drawing in the units of its 16-pixel design, scaled up so that the large-size pen widths
// apply, as on every icon from 32 pixels up.
bool writeSvg(const QString& theme) {
    constexpr int Side = 256;
    const QString folder = theme + QStringLiteral("/scalable/apps");
    if (!QDir().mkpath(folder))
        return false;
    QSvgGenerator svg;
    svg.setFileName(folder + QLatin1Char('/') + Name + ".svg");
    svg.setSize(QSize(Side, Side));
    svg.setViewBox(QRect(0, 0, Side, Side));
    svg.setTitle(QStringLiteral("Vantor Screen Tools"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    // The drawing has no text, but each group carries the painter's font, whose unset size would
    // be written as an invalid -1.
    QFont font;
    font.setPointSize(12);
    painter.setFont(font);
    vantor::paintAppIcon(painter, Side);
    return painter.end();
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && QByteArray(argv[1]) == "--ico") {
        if (writeIco(QString::fromLocal8Bit(argv[2])))
            return 0;
        std::fprintf(stderr, "make-icons: cannot write %s\n", argv[2]);
        return 1;
    }
    if (argc != 2) {
        std::fputs("usage: make-icons THEME-FOLDER | --ico FILE\n", stderr);
        return 2;
    }
    const QString theme = QString::fromLocal8Bit(argv[1]);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        if (!writePng(theme, size)) {
            std::fprintf(stderr, "make-icons: cannot write the %d-pixel icon\n", size);
            return 1;
        }
    if (!writeSvg(theme)) {
        std::fputs("make-icons: cannot write the scalable icon\n", stderr);
        return 1;
    }
    return 0;
}
