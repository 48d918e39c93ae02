// Writes the program's icon into an icon theme folder as the desktop's application menu and
// package tools look for it: hicolor/<N>x<N>/apps/vantor-screen-tools.png at each size and
// hicolor/scalable/apps/vantor-screen-tools.svg, all painted by the tray icon's own drawing.
// The build runs it; the files are installed from the build folder.
#include "shell/appicon.h"

#include <QDir>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

const QString Name = QStringLiteral("vantor-screen-tools");

bool writePng(const QString& theme, int size) {
    const QString folder = theme + QStringLiteral("/%1x%1/apps").arg(size);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    vantor::paintAppIcon(painter, size);
    painter.end();
    return QDir().mkpath(folder) && image.save(folder + QLatin1Char('/') + Name + ".png");
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
    if (argc != 2) {
        std::fputs("usage: make-icons THEME-FOLDER\n", stderr);
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
