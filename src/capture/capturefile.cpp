#include "capture/capturefile.h"

#include "capture/capturenames.h"

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

QString writeBmp(QFile& file, const QImage& image) {
    QImageWriter writer(&file, "BMP");
    const bool written = writer.write(image);
    if (written && file.flush())
        return {};
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return writer.errorString();
}

} // namespace

CaptureFileResult writeCaptureFile(const QString& folder, const QString& baseName,
                                   const QImage& image,
                                   const std::function<void(const QString& path)>& beforeCreate) {
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
        const QString error = writeBmp(file, image);
        file.close();
        if (error.isEmpty())
            return {path, {}};
        file.remove();
        return {{}, error};
    }
}

} // namespace vantor
