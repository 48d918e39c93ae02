#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace vantor::fuzz {

// The readers take paths, as the program hands them files that users put in place, so every
// input reaches them as a real file in a folder of the run's own.
inline QString scratchFolder() {
    static const QTemporaryDir folder;
    return folder.path();
}

inline void writeScratch(const QString& path, const std::uint8_t* data, std::size_t size) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        std::abort();
}

} // namespace vantor::fuzz
