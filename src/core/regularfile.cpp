#include "core/regularfile.h"

#include <QFile>
#include <QFileInfo>

namespace vantor {

namespace {

std::optional<QByteArray> failure(QString* error, const QString& reason) {
    if (error)
        *error = reason;
    return std::nullopt;
}

} // namespace

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes, QString* error) {
    const QFileInfo info(path);
    if (!info.exists())
        return failure(error, QStringLiteral("no such file"));
    if (!info.isFile())
        return failure(error, QStringLiteral("not a regular file"));
    const QString tooLarge = QStringLiteral("larger than %1 KiB").arg(maxBytes / 1024);
    if (info.size() > maxBytes)
        return failure(error, tooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(error, QStringLiteral("cannot be opened"));
    // One byte past the limit, should the file have grown since it was looked at.
    QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes)
        return failure(error, tooLarge);
    return bytes;
}

} // namespace vantor
