#include "capture/capturefile.h"

#include "capture/bmpfile.h"
#include "capture/capturenames.h"
#include "capture/pngfile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTimer>

#include <filesystem>
#include <system_error>
#include <utility>

namespace vantor {

namespace {

// A dangling link does not "exist", yet an exclusive create on it fails: both count as taken.
bool nameTaken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// The memory of the last bitmap file, written over by the next of a burst of captures (a held
// Ctrl+1, a row of snaps) and given back a few seconds after the last: at large sizes the first
// touch of each new page costs more than the writing of the file.
constexpr int KeepMilliseconds = 10000;
QByteArray keptFile;
int keptGeneration = 0;

void keepFile(QByteArray bytes) {
    // Without an event loop nothing would give it back.
    if (QCoreApplication::instance() == nullptr)
        return;
    keptFile = std::move(bytes);
    const int generation = ++keptGeneration;
    QTimer::singleShot(KeepMilliseconds, QCoreApplication::instance(), [generation] {
        if (generation == keptGeneration)
            keptFile = QByteArray();
    });
}

// For pictures our own writers do not take: Qt's PNG writer maps a quality of 80 to zlib's
// level 1.
constexpr int FastPngQuality = 80;

// Encoded in memory first: one large write of the whole file is several times faster for a full
// screen than a row at a time. An image that cannot be encoded then never creates a file at all.
bool encode(const QImage& image, ImageFormat format, QByteArray& bytes, QString& error) {
    bytes = format == ImageFormat::Bmp ? bmpFileOf(image, std::exchange(keptFile, {}))
                                       : pngFileOf(image);
    if (!bytes.isEmpty())
        return true;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format == ImageFormat::Png ? "PNG" : "BMP");
    if (format == ImageFormat::Png)
        writer.setQuality(FastPngQuality);
    if (writer.write(image))
        return true;
    error = writer.errorString();
    return false;
}

bool anyFormatTaken(const QString& stem, const QString& baseName, int attempt) {
    for (const ImageFormat format : ImageFormats)
        if (nameTaken(stem + captureFileName(baseName, attempt, format)))
            return true;
    return false;
}

// A write that fills the disk part-way returns the part written and no reason; the write of the
// rest then fails at once and says why (no space left on the device, a quota reached).
bool writeAll(QFile& file, const QByteArray& bytes) {
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 part = file.write(bytes.constData() + written, bytes.size() - written);
        if (part <= 0)
            return false;
        written += part;
    }
    return true;
}

} // namespace

CaptureFileResult writeCaptureFile(const QString& folder, const QString& baseName,
                                   const QImage& image, ImageFormat format,
                                   const std::function<void(const QString& path)>& beforeCreate) {
    QByteArray bytes;
    QString error;
    if (!encode(image, format, bytes, error))
        return {{}, error};
    // The folder is made before the save; when it is still missing, making it again gives the
    // reason it cannot be (a read-only file system, say), where creating a file in it would only
    // say "No such file or directory".
    std::error_code made;
    // From UTF-16 the path keeps every character: on Windows a narrow path would go through
    // the ANSI code page, which has none for most of them.
    std::filesystem::create_directories(std::filesystem::path(folder.toStdU16String()), made);
    if (made)
        return {{}, QString::fromLocal8Bit(made.message())};
    const QString stem = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    // Written whole under a hidden name, then given its own: a file manager, a sync client or a
    // viewer watching the folder never reads half a capture, and one cut short by a full disk or
    // a crash never stands there as if it were a capture. The hidden file is made as the capture
    // itself would be, with the permissions the user's file mask gives.
    QFile part;
    do
        part.setFileName(stem +
                         QStringLiteral(".vantor-capture-%1")
                             .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    while (!part.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered) &&
           nameTaken(part.fileName()));
    if (!part.isOpen())
        return {{}, part.errorString()};
    const bool written = writeAll(part, bytes);
    if (!written)
        error = part.errorString();
    part.close();
    if (format == ImageFormat::Bmp)
        keepFile(std::move(bytes));
    if (written) {
        for (int attempt = 0;; ++attempt) {
            if (anyFormatTaken(stem, baseName, attempt))
                continue;
            const QString path = stem + captureFileName(baseName, attempt, format);
            if (beforeCreate)
                beforeCreate(path);
            // Never over a file: a name taken meanwhile by another program goes to the next one.
            if (part.rename(path))
                return {path, {}};
            if (!nameTaken(path)) {
                error = part.errorString();
                break;
            }
        }
    }
    QFile::remove(part.fileName());
    return {{}, error.isEmpty() ? QStringLiteral("the file could not be written") : error};
}

} // namespace vantor
