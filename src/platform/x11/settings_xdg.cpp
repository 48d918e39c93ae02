#include "platform/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace vantor {

QString settingsLocation(const QString& applicationKey) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Korvane/") + applicationKey + QStringLiteral(".ini");
}

QString ReadSetting(const QString& applicationKey, const QString& valueName) {
    const QString path = settingsLocation(applicationKey);
    if (!QFileInfo(path).isFile())
        return {};
    const QSettings store(path, QSettings::IniFormat);
    if (store.status() != QSettings::NoError)
        return {};
    const QVariant value = store.value(valueName);
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

bool WriteSetting(const QString& applicationKey, const QString& valueName, const QString& value) {
    const QString path = settingsLocation(applicationKey);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSettings store(path, QSettings::IniFormat);
    store.setValue(valueName, value);
    store.sync();
    return store.status() == QSettings::NoError;
}

} // namespace vantor
