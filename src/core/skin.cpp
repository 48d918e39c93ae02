#include "core/skin.h"

#include "core/regularfile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QSet>

#include <cstdio>

namespace vantor {

namespace {
// The largest skin picture, a ruler's back at a monitor's full width, is a few hundred KiB.
constexpr qint64 MaxPictureBytes = 16 * 1024 * 1024;
} // namespace

QString SkinFolder() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString beside = programFolder + QStringLiteral("/skin/default");
    if (QFileInfo(beside).isDir())
        return beside;
    const QString installed = QDir::cleanPath(
        programFolder + QStringLiteral("/../share/vantor-screen-tools/skin/default"));
    if (QFileInfo(installed).isDir())
        return installed;
    return beside;
}

QImage loadSkinPicture(const QString& name, const std::function<QImage()>& builtIn) {
    return loadSkinPictureFrom(SkinFolder(), name, builtIn);
}

QImage loadSkinPictureFrom(const QString& folder, const QString& name,
                           const std::function<QImage()>& builtIn) {
    const QString path = folder + QLatin1Char('/') + name;
    QString problem;
    if (std::optional<QByteArray> bytes = readRegularFile(path, MaxPictureBytes, &problem)) {
        QBuffer buffer(&*bytes);
        QImageReader reader(&buffer);
        const QImage picture = reader.read();
        if (!picture.isNull())
            return picture;
        problem = reader.errorString();
    }
    // A skin picture is read again every time a window is drawn; one line per file is enough.
    static QSet<QString> reported;
    if (!reported.contains(path)) {
        reported.insert(path);
        std::fprintf(stderr,
                     "vantor-screen-tools: cannot read skin picture %s (%s); using the "
                     "built-in one.\n",
                     qUtf8Printable(QDir::toNativeSeparators(path)), qUtf8Printable(problem));
    }
    return builtIn();
}

} // namespace vantor
