#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace vantor {

// The bytes of the regular file at path when it holds at most maxBytes; nothing otherwise, with
// the reason in error. Files that users or other programs put in the program's way are read so:
// opening a FIFO waits for a writer for ever, and a device such as /dev/zero never ends.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes, QString* error);

} // namespace vantor
