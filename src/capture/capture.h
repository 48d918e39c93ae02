#pragma once

#include "capture/capturenames.h"
#include "platform/desktop.h"

#include <QImage>
#include <QString>

#include <functional>

namespace vantor {

// Copies every screen into target, one picture as large as the box that holds them all; what
// no screen covers is black.
void CaptureScreenArea(QImage& target);
// The same for a picture that only SaveCaptureImage reads: its alpha byte may hold anything.
void CaptureScreenToSave(QImage& target);

// Copies the screen rectangle from (x1, y1) to (x2, y2), right and bottom excluded, into
// picture. Parts beyond the screen are black; a reversed rectangle gives an empty picture.
void CaptureScreenRect(QImage& picture, int x1, int y1, int x2, int y2);

// Writes picture as the next numbered BMP file into today's folder below the images folder,
// asking for the images folder first when none is set. A null picture is a copy the desktop
// refused, which is said and not saved. Only its colour channels are read. Returns the file
// written, or an empty string when the user was told why nothing was saved; CaptureNumber then
// stays as it was.
QString SaveCaptureImage(const QImage& picture, const QString& prefix);

// Tells the user that a capture was not saved, and why (a few words).
void ReportFailedCapture(const QString& reason);

// Tells the user, on standard error and in a message box, that the desktop gave no copy of the
// screen, why, and how to get one.
void ReportRefusedCopy(CopyRefusal refusal);

// Stores the images folder the user chose. When the settings cannot keep it, captures go there
// until the program ends, and the user is told why once per run. False in that case.
bool StoreImagesFolder(const QString& folder);

// The choices of the Options menu that captures follow, kept in the settings beside the images
// folder: the format files are written in (BMP until the user chooses PNG), and whether each
// saved capture also goes onto the clipboard (not until the user asks). A choice the settings
// cannot keep holds until the program ends, and the reason is said on standard error.
ImageFormat CaptureImageFormat();
void SetCaptureImageFormat(ImageFormat format);
bool CopiesCapturesToClipboard();
void SetCopyCapturesToClipboard(bool copy);

// A value of the program's settings, kept beside the images folder; one the settings cannot keep
// is said on standard error.
QString ReadProgramSetting(const QString& name);
void StoreProgramSetting(const QString& name, const QString& value);

// The folder "View images folder" opens: today's captures, or the images folder itself while
// today has none; empty while no images folder is set.
QString ImagesFolderToView();

// The dialogs a save may open. Tests put their own in place so that nothing waits for a user.
struct CaptureDialogs {
    std::function<QString(const QString& title)> browseForFolder;
    std::function<void(const QString& title, const QString& message)> showCritical;
    // A calm notice: something did not work, and the program carries on.
    std::function<void(const QString& title, const QString& message)> showNotice;
};

// The dialogs a real session uses: the folder dialog and a critical message box.
CaptureDialogs defaultCaptureDialogs();
// Replaces the dialogs SaveCaptureImage uses and returns those it used before.
CaptureDialogs setCaptureDialogs(CaptureDialogs dialogs);

} // namespace vantor
