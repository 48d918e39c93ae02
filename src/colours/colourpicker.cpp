#include "colours/colourpicker.h"

#include "capture/capture.h"
#include "core/monitors.h"
#include "core/screens.h"
#include "platform/desktop.h"
#include "platform/settings.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace vantor {

namespace {
const QString ApplicationKey = QStringLiteral("vantorScreenTools");
const QString HistoryName = QStringLiteral("colourHistory");
const QString FormatName = QStringLiteral("colourFormat");

void store(const QString& name, const QString& value) {
    QString problem;
    if (!WriteSetting(ApplicationKey, name, value, &problem))
        std::fprintf(stderr, "vantor-screen-tools: cannot keep the colours in %s (%s).\n",
                     qUtf8Printable(QDir::toNativeSeparators(settingsLocation(ApplicationKey))),
                     qUtf8Printable(problem));
}
} // namespace

ColourHistory storedColourHistory() {
    return ColourHistory::fromText(ReadSetting(ApplicationKey, HistoryName));
}

ColourFormat chosenColourFormat() {
    return formatNamed(ReadSetting(ApplicationKey, FormatName));
}

void setColourFormat(ColourFormat format) {
    store(FormatName, formatName(format));
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
    store(HistoryName, history.toText());
}

} // namespace vantor
