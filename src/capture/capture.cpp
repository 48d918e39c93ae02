#include "capture/capture.h"

#include "capture/browseforfolder.h"
#include "capture/capturefile.h"
#include "capture/capturenames.h"
#include "platform/desktop.h"
#include "platform/language.h"
#include "platform/settings.h"
#include "shell/appstate.h"
#include "shell/texts.h"

#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include <climits>

namespace vantor {

namespace {

const QString ApplicationKey = QStringLiteral("vantorScreenTools");
const QString ImageSavePath = QStringLiteral("imageSavePath");

CaptureDialogs& dialogs() {
    static CaptureDialogs current = defaultCaptureDialogs();
    return current;
}

// The images folder from the settings, or asked for (and stored) when none is set yet.
QString imagesFolder() {
    QString folder = ReadSetting(ApplicationKey, ImageSavePath);
    if (folder.isEmpty()) {
        folder = dialogs().browseForFolder(LoadText(121));
        if (!folder.isEmpty())
            WriteSetting(ApplicationKey, ImageSavePath, folder);
    }
    return folder;
}

} // namespace

void CaptureScreenArea(QImage& target) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen != nullptr ? screen->geometry().size() : QSize();
    target = desktop().grabScreen(QRect(QPoint(0, 0), size));
}

void CaptureScreenRect(QImage& picture, int x1, int y1, int x2, int y2) {
    // Widened before subtracting: corners far apart must not wrap around.
    const qint64 width = qint64(x2) - x1;
    const qint64 height = qint64(y2) - y1;
    if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX) {
        picture = QImage();
        return;
    }
    picture = desktop().grabScreen(QRect(x1, y1, int(width), int(height)));
}

QString SaveCaptureImage(const QImage& picture, const QString& prefix) {
    const QDate today = QDate::currentDate();
    const QLocale locale = dateLocale();
    const QString dateText = captureDateText(today, locale);

    const QString folder = imagesFolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        dialogs().showCritical(LoadText(123), LoadText(122));
        return {};
    }

    const QString datedFolder =
        MakeFolderPath(folder + QLatin1Char('/') + datedFolderName(today, locale));
    const QString baseName = captureBaseName(appState().CaptureNumber, prefix, dateText);
    const CaptureFileResult result = writeCaptureFile(datedFolder, baseName, picture);
    if (result.path.isEmpty()) {
        dialogs().showCritical(LoadText(123),
                               LoadText(122) + QStringLiteral("\n\n") + result.error);
        return {};
    }
    ++appState().CaptureNumber;
    return result.path;
}

CaptureDialogs defaultCaptureDialogs() {
    return {BrowseForFolder, [](const QString& title, const QString& message) {
                QMessageBox::critical(nullptr, title, message);
            }};
}

CaptureDialogs setCaptureDialogs(CaptureDialogs replacement) {
    std::swap(dialogs(), replacement);
    return replacement;
}

} // namespace vantor
