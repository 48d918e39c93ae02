#include "platform/x11/instancefile.h"

#include "platform/x11/displayname.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace vantor {

namespace {

// The user's own folder for these files, named the same whatever the environment says: a desktop's
// shortcut, a terminal and the start at login often disagree on XDG_RUNTIME_DIR or set none, and
// a copy started from any of them must find the one that runs. Not TMPDIR's either, for the same
// reason.
QString instanceFolder() {
    const QString folder = QStringLiteral("/tmp/vantor-screen-tools-%1").arg(getuid());
    const QByteArray path = QFile::encodeName(folder);
    mkdir(path.constData(), 0700);
    struct stat seen = {};
    if (lstat(path.constData(), &seen) == 0 && S_ISDIR(seen.st_mode) && seen.st_uid == getuid() &&
        (seen.st_mode & 077) == 0)
        return folder;
    // Someone else's folder, or anything but a private folder, under that name: the runtime
    // folder, which only this user can write.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

} // namespace

QString instanceFile(const QString& displayName, const QString& suffix) {
    return instanceFolder() + QStringLiteral("/vantor-screen-tools") +
           displayIdentity(displayName) + suffix;
}

} // namespace vantor
