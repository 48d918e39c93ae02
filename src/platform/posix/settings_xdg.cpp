#include "platform/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace vantor {

namespace {

void setProblem(QString* problem, const QString& text) {
    if (problem != nullptr)
        *problem = text;
}

// The program's settings are a few short lines; a file far larger is not theirs, and reading it
// would take the program's memory and time.
constexpr qint64 MaxSettingsBytes = 1 << 20;

// Why the file at path cannot hold settings, or empty when it can (it is missing or a regular
// file of a sane size). Nothing but a regular file is ever opened: opening a FIFO would wait for a
// writer.
QString unusableFile(const QFileInfo& info) {
    if (info.isSymLink() && !info.exists())
        return QStringLiteral("it is a link to %1, which does not exist")
            .arg(QDir::toNativeSeparators(info.symLinkTarget()));
    if (info.isFile() && info.size() > MaxSettingsBytes)
        return QStringLiteral("it is larger than %1 MiB, far more than settings hold")
            .arg(MaxSettingsBytes >> 20);
    if (!info.exists() || info.isFile())
        return {};
    if (info.isDir())
        return QStringLiteral("it is a folder, not a file");
    return QStringLiteral("it is not a regular file");
}

// The text after "name=" on the line that sets name in the General section, as the user wrote
// it. Qt reads an unquoted value with commas as a list, which a hand-written path is not.
QString rawValue(const QString& path, const QString& name) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool general = true;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            general = line == QLatin1String("[General]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (general && equals > 0 && line.left(equals).trimmed() == name)
            return line.mid(equals + 1).trimmed();
    }
    return {};
}

// A leading "~" stands for the home folder, as in every shell the user writes paths in.
QString expandHome(const QString& value) {
    if (value == QLatin1String("~"))
        return QDir::homePath();
    if (value.startsWith(QLatin1String("~/")))
        return QDir::homePath() + value.mid(1);
    return value;
}

// The system's reason why nothing can be written at path, found by trying what a save does.
QString writeFailure(const QString& path) {
    const QFileInfo info(path);
    QTemporaryFile probe(info.absolutePath() + QStringLiteral("/.vantor-XXXXXX"));
    if (!probe.open())
        return probe.errorString();
    QFile file(path);
    if (info.exists() && !file.open(QIODevice::ReadWrite | QIODevice::Append))
        return file.errorString();
    return QStringLiteral("the file could not be written");
}

} // namespace

QString settingsLocation(const QString& applicationKey) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Korvane/") + applicationKey + QStringLiteral(".ini");
}

QString ReadSetting(const QString& applicationKey, const QString& valueName, QString* problem) {
    setProblem(problem, {});
    const QString path = settingsLocation(applicationKey);
    const QFileInfo info(path);
    if (const QString unusable = unusableFile(info); !unusable.isEmpty()) {
        setProblem(problem, unusable);
        return {};
    }
    if (!info.exists())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setProblem(problem, file.errorString());
        return {};
    }
    file.close();
    const QSettings store(path, QSettings::IniFormat);
    const QVariant value = store.value(valueName);
    // Qt reads the file on the first look-up, and still reads the lines it understands in a file
    // with a broken one; the user is told.
    if (store.status() == QSettings::FormatError)
        setProblem(problem, QStringLiteral("it holds a line that cannot be read"));
    if (value.typeId() == QMetaType::QStringList)
        return expandHome(rawValue(path, valueName));
    return value.typeId() == QMetaType::QString ? expandHome(value.toString()) : QString();
}

bool WriteSetting(const QString& applicationKey, const QString& valueName, const QString& value,
                  QString* problem) {
    setProblem(problem, {});
    const QString path = settingsLocation(applicationKey);
    const QFileInfo info(path);
    if (const QString unusable = unusableFile(info); !unusable.isEmpty()) {
        setProblem(problem, unusable);
        return false;
    }
    if (!QDir().mkpath(info.absolutePath())) {
        setProblem(problem, QStringLiteral("its folder %1 cannot be made")
                                .arg(QDir::toNativeSeparators(info.absolutePath())));
        return false;
    }
    {
        // A file with a line Qt cannot parse is rewritten in Qt's own form, which it reads back.
        QSettings store(path, QSettings::IniFormat);
        store.setValue(valueName, value);
        store.sync();
        if (store.status() == QSettings::AccessError) {
            setProblem(problem, writeFailure(path));
            return false;
        }
    }
    const QSettings check(path, QSettings::IniFormat);
    if (check.value(valueName) != value) {
        setProblem(problem, writeFailure(path));
        return false;
    }
    return true;
}

} // namespace vantor
