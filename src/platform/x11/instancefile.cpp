#include "platform/x11/instancefile.h"

#include "platform/x11/displayname.h"

#include <QDir>
#include <QStandardPaths>

namespace vantor {

QString instanceFile(const QString& displayName, const QString& suffix) {
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    return runtime + QStringLiteral("/vantor-screen-tools") + displayIdentity(displayName) + suffix;
}

} // namespace vantor
