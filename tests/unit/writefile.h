#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace vantor::test {

// Writes bytes to a new file at path, replacing what was there; false when that fails.
inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace vantor::test
