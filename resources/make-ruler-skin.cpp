// Writes the ruler skin pictures, as the program draws them, as PNG files into a folder; the
// script beside this file turns them into the GIF files the skin ships.
#include "rulers/rulerskin.h"

#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: make-ruler-skin OUTPUT-FOLDER\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const char* name : {"h_back", "h_end", "v_back", "v_end"}) {
        const QString base = QString::fromLatin1(name);
        const QImage picture = vantor::builtInRulerSkin(base + QStringLiteral(".gif"));
        if (!picture.save(folder + QLatin1Char('/') + base + QStringLiteral(".png"))) {
            std::fprintf(stderr, "make-ruler-skin: cannot write %s.png\n", name);
            return 1;
        }
    }
    return 0;
}
