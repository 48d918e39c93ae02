#include "capture/capture.h"

#include "capture/browseforfolder.h"
#include "capture/capturefile.h"
#include "capture/capturenames.h"
#include "core/appstate.h"
#include "core/monitors.h"
#include "core/texts.h"
#include "platform/desktop.h"
#include "platform/devicepixels.h"
#include "platform/language.h"
#include "platform/settings.h"
#include "platform/windowservices.h"

#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPainter>
#include <QRegion>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <optional>

namespace vantor {

namespace {

const QString ApplicationKey = QStringLiteral("vantorScreenTools");
const QString ImageSavePath = QStringLiteral("imageSavePath");
const QString ImageFormatName = QStringLiteral("imageFormat");
const QString CopyToClipboard = QStringLiteral("copyCapturesToClipboard");

CaptureDialogs& dialogs() {
    static CaptureDialogs current = defaultCaptureDialogs();
    return current;
}

// Text 122, then the folder and the system's reason below it: the user must know which folder
// to look at.
QString failedSaveText(const QString& folder, const QString& reason) {
    return LoadText(122) + QStringLiteral("\n\n") + QDir::toNativeSeparators(folder) +
           QLatin1Char('\n') + reason;
}

QString notAFolderReason(const QString& folder) {
    return qt_error_string(QFileInfo::exists(folder) ? ENOTDIR : ENOENT);
}

// Says once per run, on standard error and in a message box, why the settings cannot be used:
// a setting that fails again at every capture without a word is worse than one plain notice.
void tellSettingsProblem(OwnText text, const QString& reason, const QString& folder) {
    if (appState().SettingsProblemTold)
        return;
    appState().SettingsProblemTold = true;
    const QString file = QDir::toNativeSeparators(settingsLocation(ApplicationKey));
    const QString shown = QDir::toNativeSeparators(folder);
    // Filled in one pass, so that a "%" in a path or a reason is never taken for a place.
    const auto filled = [&](const QString& message) {
        return text == OwnText::SettingsNotStored ? message.arg(file, reason, shown)
                                                  : message.arg(file, reason);
    };
    std::fprintf(stderr, "vantor-screen-tools: %s\n",
                 qUtf8Printable(filled(ownTextFor(text, Language::English))));
    dialogs().showNotice(LoadText(123), filled(LoadOwnText(text)));
}

// The images folder from the settings, else the one chosen earlier in this run that the settings
// could not keep, else asked for (and stored). Empty when the user cancels.
QString imagesFolder() {
    QString readProblem;
    QString folder = ReadSetting(ApplicationKey, ImageSavePath, &readProblem);
    if (folder.isEmpty())
        folder = appState().SessionImagesFolder;
    if (folder.isEmpty()) {
        folder = dialogs().browseForFolder(LoadText(121));
        if (!folder.isEmpty() && StoreImagesFolder(folder))
            return folder;
    }
    if (!readProblem.isEmpty())
        tellSettingsProblem(OwnText::SettingsUnreadable, readProblem, folder);
    return folder;
}

} // namespace

void ReportFailedCapture(const QString& reason) {
    dialogs().showCritical(LoadText(123), LoadText(122) + QStringLiteral("\n\n") + reason);
}

void ReportRefusedCopy(CopyRefusal refusal) {
    OwnText text = OwnText::CopyFailed;
    switch (refusal) {
    case CopyRefusal::NoService:
        text = OwnText::CopyNoService;
        break;
    case CopyRefusal::NoLiveCopies:
        text = OwnText::CopyNoLiveCopies;
        break;
    case CopyRefusal::Denied:
        text = OwnText::CopyDenied;
        break;
    case CopyRefusal::None:
    case CopyRefusal::Failed:
        break;
    }
    std::fprintf(stderr, "vantor-screen-tools: %s\n",
                 qUtf8Printable(ownTextFor(text, Language::English)));
    dialogs().showCritical(LoadText(123), LoadOwnText(text));
}

bool StoreImagesFolder(const QString& folder) {
    QString problem;
    if (WriteSetting(ApplicationKey, ImageSavePath, folder, &problem)) {
        appState().SessionImagesFolder.clear();
        return true;
    }
    appState().SessionImagesFolder = folder;
    tellSettingsProblem(OwnText::SettingsNotStored, problem, folder);
    return false;
}

QString ReadProgramSetting(const QString& name) {
    return ReadSetting(ApplicationKey, name);
}

void StoreProgramSetting(const QString& name, const QString& value) {
    QString problem;
    if (!WriteSetting(ApplicationKey, name, value, &problem))
        std::fprintf(stderr, "vantor-screen-tools: cannot keep %s in %s (%s).\n",
                     qUtf8Printable(name),
                     qUtf8Printable(QDir::toNativeSeparators(settingsLocation(ApplicationKey))),
                     qUtf8Printable(problem));
}

ImageFormat CaptureImageFormat() {
    if (const std::optional<bool> png = appState().PngChosen)
        return *png ? ImageFormat::Png : ImageFormat::Bmp;
    return ReadSetting(ApplicationKey, ImageFormatName) == QLatin1String("png") ? ImageFormat::Png
                                                                                : ImageFormat::Bmp;
}

void SetCaptureImageFormat(ImageFormat format) {
    appState().PngChosen = format == ImageFormat::Png;
    StoreProgramSetting(ImageFormatName,
                        format == ImageFormat::Png ? QStringLiteral("png") : QStringLiteral("bmp"));
}

bool CopiesCapturesToClipboard() {
    if (const std::optional<bool> chosen = appState().CopyCapturesChosen)
        return *chosen;
    return ReadSetting(ApplicationKey, CopyToClipboard) == QLatin1String("1");
}

void SetCopyCapturesToClipboard(bool copy) {
    appState().CopyCapturesChosen = copy;
    StoreProgramSetting(CopyToClipboard, copy ? QStringLiteral("1") : QStringLiteral("0"));
}

QString ImagesFolderToView() {
    QString folder = ReadSetting(ApplicationKey, ImageSavePath);
    if (folder.isEmpty())
        folder = appState().SessionImagesFolder;
    if (folder.isEmpty())
        return {};
    const QDate today = QDate::currentDate();
    const QString dated = QDir(folder).filePath(datedFolderName(today, dateLocale()));
    return QFileInfo(dated).isDir() ? QDir::cleanPath(dated) : QDir::cleanPath(folder);
}

namespace {

void captureEveryScreen(QImage& target, QImage (Desktop::*grab)(const QRect&)) {
    // In device pixels: monitors at different ratios then lie side by side as they do on the
    // desk, each with all of its pixels.
    QList<QRect> areas;
    for (const ScreenScale& screen : screenScales())
        areas.append(deviceArea(screen));
    const QRect desk = boundingBox(areas);
    target = (desktop().*grab)(desk);
    if (target.isNull())
        return;
    // The root window goes on where no monitor shows it, with whatever it holds there.
    QRegion uncovered(QRect(QPoint(0, 0), desk.size()));
    for (const QRect& area : areas)
        uncovered -= area.translated(-desk.topLeft());
    if (uncovered.isEmpty())
        return;
    QPainter painter(&target);
    for (const QRect& part : uncovered)
        painter.fillRect(part, Qt::black);
}

} // namespace

void CaptureScreenArea(QImage& target) {
    captureEveryScreen(target, &Desktop::grabDevicePixels);
}

void CaptureScreenToSave(QImage& target) {
    captureEveryScreen(target, &Desktop::grabDevicePixelsToSave);
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
    if (picture.isNull()) {
        ReportRefusedCopy(desktop().copyRefusal());
        return {};
    }
    const QDate today = QDate::currentDate();
    const QLocale locale = dateLocale();
    const QString dateText = captureDateText(today, locale);

    const QString folder = imagesFolder();
    if (folder.isEmpty()) {
        dialogs().showCritical(LoadText(123), LoadText(122));
        return {};
    }
    if (!QFileInfo(folder).isDir()) {
        dialogs().showCritical(LoadText(123), failedSaveText(folder, notAFolderReason(folder)));
        return {};
    }

    const QString datedFolder =
        MakeFolderPath(folder + QLatin1Char('/') + datedFolderName(today, locale));
    const QString baseName = captureBaseName(appState().CaptureNumber, prefix, dateText);
    const CaptureFileResult result =
        writeCaptureFile(datedFolder, baseName, picture, CaptureImageFormat());
    if (result.path.isEmpty()) {
        dialogs().showCritical(LoadText(123), failedSaveText(datedFolder, result.error));
        return {};
    }
    ++appState().CaptureNumber;
    // The program owns the clipboard from here on, so that a paste works in any program, until
    // another program puts something there. The colour channels alone, as the file has them: a
    // picture copied to be saved may hold anything in its alpha byte.
    if (CopiesCapturesToClipboard())
        QGuiApplication::clipboard()->setImage(picture.convertToFormat(QImage::Format_RGB888));
    return result.path;
}

namespace {
void showMessage(QMessageBox::Icon icon, const QString& title, const QString& message) {
    QMessageBox box(icon, title, message, QMessageBox::Ok);
    execAboveTools(box);
}
} // namespace

CaptureDialogs defaultCaptureDialogs() {
    return {[](const QString& title) { return BrowseForFolder(title); },
            [](const QString& title, const QString& message) {
                showMessage(QMessageBox::Critical, title, message);
            },
            [](const QString& title, const QString& message) {
                showMessage(QMessageBox::Warning, title, message);
            }};
}

CaptureDialogs setCaptureDialogs(CaptureDialogs replacement) {
    std::swap(dialogs(), replacement);
    return replacement;
}

} // namespace vantor
