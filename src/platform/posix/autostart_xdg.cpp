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

// The text as a string value of a desktop entry, its backslashes and control characters escaped.
QString escaped(QString text) {
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    text.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    return text;
}

// The path as one argument of a desktop entry's Exec key: quoted when it holds a character the
// format reserves, its "%" doubled (field codes), then escaped as a string value.
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
    return escaped(argument);
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
    // With TryExec, once the program is uninstalled the desktop skips the entry instead of failing.
    return QStringLiteral("[Desktop Entry]\nType=Application\nName=Vantor Screen Tools\n"
                          "Exec=%1\nTryExec=%2\nIcon=vantor-screen-tools\nTerminal=false\n")
        .arg(execArgument(programPath), escaped(programPath))
        .toUtf8();
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
