#include "colours/colourpicker.h"

#include "capture/capture.h"
#include "core/monitors.h"
#include "core/screens.h"
#include "platform/desktop.h"

#include <QClipboard>
#include <QGuiApplication>

#include <cstdio>

namespace vantor {

namespace {
const QString HistoryName = QStringLiteral("colourHistory");
const QString FormatName = QStringLiteral("colourFormat");
} // namespace

ColourHistory storedColourHistory() {
    return ColourHistory::fromText(ReadProgramSetting(HistoryName));
}

ColourFormat chosenColourFormat() {
    return formatNamed(ReadProgramSetting(FormatName));
}

void setColourFormat(ColourFormat format) {
    StoreProgramSetting(FormatName, formatName(format));
}

void copyColour(QRgb colour) {
    QGuiApplication::clipboard()->setText(colourText(colour, chosenColourFormat()));
}

void pickColourAt(QPoint at) {
    if (monitorAt(screenRects(), at) < 0) {
        std::fputs("vantor-screen-tools: the pointer is on no monitor; no colour was picked.\n",
                   stderr);
        return;
    }
    const QImage pixel = desktop().grabScreen(QRect(at, QSize(1, 1)));
    if (pixel.isNull()) {
        ReportRefusedCopy(desktop().copyRefusal());
        return;
    }
    const QRgb colour = pixel.pixel(0, 0);
    copyColour(colour);
    ColourHistory history = storedColourHistory();
    history.add(colour);
    StoreProgramSetting(HistoryName, history.toText());
}

} // namespace vantor
