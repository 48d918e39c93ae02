#include "colours/coloursmenu.h"

#include "colours/colourpicker.h"

#include <QMenu>
#include <QPainter>
#include <QPixmap>

namespace vantor {

namespace {
constexpr int SwatchSize = 16;

QIcon swatch(QRgb colour) {
    QPixmap picture(SwatchSize, SwatchSize);
    picture.fill(QColor(colour));
    QPainter(&picture).drawRect(0, 0, SwatchSize - 1, SwatchSize - 1);
    return QIcon(picture);
}
} // namespace

void fillColoursMenu(QMenu& menu) {
    menu.clear();
    const ColourHistory history = storedColourHistory();
    const QList<QRgb>& colours = history.colours();
    if (colours.size() >= 2) {
        QAction* contrast = menu.addAction(contrastText(contrastRatio(colours[0], colours[1])));
        contrast->setEnabled(false);
        menu.addSeparator();
    }
    const ColourFormat format = chosenColourFormat();
    for (const QRgb colour : colours)
        menu.addAction(swatch(colour), colourText(colour, format), &menu,
                       [colour] { copyColour(colour); });
    // Never a disabled submenu, which the keyboard would skip: without colours it says how to
    // pick one.
    if (colours.isEmpty())
        menu.addAction(QStringLiteral("Ctrl+8"))->setEnabled(false);
}

} // namespace vantor
