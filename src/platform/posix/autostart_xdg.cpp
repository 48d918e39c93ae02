#include "platform/autostart.h"
#include "platform/posix/xdgautostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace vantor {

namespace {

// The path as one argument of a desktop entry's Exec key: quoted when it holds a character the
// format reserves, its "%" doubled (field codes), then escaped as every string value is.
QString execArgument(const QString& path) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString argument = path;
    argument.replace(QLatin1Char('%'), QLatin1String("%%"));
    if (std::any_of(argument.begin(), argument.end(),
                    [](QChar c) { return reserved.contains(c); })) {
        QString quoted = QStringLiteral("\"");
        for (const QChar c : std::as_const(argument)) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
                c == QLatin1Char('\\'))
                quoted += QLatin1Char('\\');
            quoted += c;
        }
        argument = quoted + QLatin1Char('"');
    }
    argument.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    argument.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    argument.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    return argument;
}

QString entryPath() {
    return autostartEntryPath(qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath());
}

} // namespace

QString autostartEntryPath(const QString& xdgConfigHome, const QString& home) {
    const QString config =
        QDir::isAbsolutePath(xdgConfigHome) ? xdgConfigHome : home + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart/vantor-screen-tools.desktop");
}

QByteArray autostartEntry(const QString& programPath) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Vantor Screen Tools\n"
           "Exec=" +
           execArgument(programPath).toUtf8() +
           "\n"
           "Icon=vantor-screen-tools\n"
           "Terminal=false\n";
}

bool startsAtLogin() {
    return QFileInfo(entryPath()).isFile();
}

bool setStartAtLogin(bool start, QString& problem) {
    const QString path = entryPath();
    if (!start) {
        QFile entry(path);
        if (!entry.exists() || entry.remove())
            return true;
        problem = entry.errorString();
        return false;
    }
    const QString folder = QFileInfo(path).path();
    if (!QDir().mkpath(folder)) {
        problem = QStringLiteral("the folder %1 cannot be made").arg(folder);
        return false;
    }
    QSaveFile entry(path);
    if (entry.open(QIODevice::WriteOnly) &&
        entry.write(autostartEntry(QCoreApplication::applicationFilePath())) >= 0 && entry.commit())
        return true;
    problem = entry.errorString();
    return false;
}

} // namespace vantor
