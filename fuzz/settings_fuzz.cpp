// The settings file is the user's to edit by hand, and any program of theirs may write it.
#include "platform/settings.h"
#include "scratchfile.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool configured = [] {
        return qputenv("XDG_CONFIG_HOME", QFile::encodeName(vantor::fuzz::scratchFolder())) &&
               QDir().mkpath(vantor::fuzz::scratchFolder() + QStringLiteral("/Korvane"));
    }();
    if (!configured)
        std::abort();
    // A new file name each time: Qt keeps the files it has read, and would not read again one
    // rewritten with the same size in the same millisecond.
    static int inputs = 0;
    const QString key = QStringLiteral("fuzz%1").arg(++inputs);
    const QString path = vantor::settingsLocation(key);
    vantor::fuzz::writeScratch(path, data, size);
    QString problem;
    vantor::ReadSetting(key, QStringLiteral("imageSavePath"), &problem);
    QFile::remove(path);
    return 0;
}
