#include "capture/capturefile.h"

#include "capture/capturenames.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

namespace vantor {

namespace {

// A dangling link does not "exist", yet an exclusive create on it fails: both count as taken.
bool nameTaken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// Encoded in memory first: Qt's BMP writer hands the file over one pixel row at a time, and one
// large write of the whole file is several times faster for a full screen. An image that cannot
// be encoded then never creates a file at all.
bool encodeBmp(const QImage& image, QByteArray& bytes, QString& error) {
    bytes.reserve(qsizetype(image.width()) * image.height() * 3 + image.height() * 3 + 64);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "BMP");
    if (writer.write(image))
        return true;
    error = writer.errorString();
    return false;
}

} // namespace

CaptureFileResult writeCaptureFile(const QString& folder, const QString& baseName,
                                   const QImage& image,
                                   const std::function<void(const QString& path)>& beforeCreate) {
    QByteArray bytes;
    QString error;
    if (!encodeBmp(image, bytes, error))
        return {{}, error};
    const QString stem = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    for (int attempt = 0;; ++attempt) {
        const QString path = stem + captureFileName(baseName, attempt);
        if (nameTaken(path))
            continue;
        if (beforeCreate)
            beforeCreate(path);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (nameTaken(path))
                continue;
            return {{}, file.errorString()};
        }
        if (file.write(bytes) == bytes.size() && file.flush())
            return {path, {}};
        error = file.errorString();
        file.close();
        file.remove();
        return {{}, error};
    }
}

} // namespace vantor
