#pragma once

#include <QDate>
#include <QLocale>
#include <QSize>
#include <QString>

namespace vantor {

// The number that opens a capture file's name: at least two digits ("01" to "09", "10", ...).
QString captureNumberText(qint64 number);

// name with every character that some common file system cannot hold in a name turned into "-",
// so that a capture folder can be copied anywhere; separators are among them.
QString portableFileName(const QString& name);

// The short date of a capture file's name, with every "/" turned into "-".
QString captureDateText(const QDate& date, const QLocale& locale);

// "Catture di " and the long date: the name of the folder that holds one day's captures.
QString datedFolderName(const QDate& date, const QLocale& locale);

// The name of a capture file without its extension: number text, ") ", prefix, "." and date text.
QString captureBaseName(qint64 number, const QString& prefix, const QString& dateText);

// A file-name prefix with a picture's size: the word, then ".(", width, "x", height and ")", as
// in "capture.section.(473x277)".
QString sizedPrefix(const QString& word, QSize size);

// The formats a capture is written in; BMP unless the user chose otherwise.
enum class ImageFormat { Bmp, Png };
// Every format, so that a name taken in one is taken in all: numbers never repeat in a folder.
inline constexpr ImageFormat ImageFormats[] = {ImageFormat::Bmp, ImageFormat::Png};

// The attempt-th name tried for baseName: baseName + ".bmp" (or ".png") first, then
// baseName + " (k).bmp".
QString captureFileName(const QString& baseName, int attempt,
                        ImageFormat format = ImageFormat::Bmp);

// Creates every missing folder along path ("/" or the native separator) and returns the path
// with doubled separators collapsed and no trailing separator. Failures are ignored: a folder
// that cannot be created is skipped and the save that follows reports the problem.
QString MakeFolderPath(const QString& path);

} // namespace vantor
