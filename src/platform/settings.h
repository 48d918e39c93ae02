#pragma once

#include <QString>

namespace vantor {

// The program's persistent settings: one string per value name under an application key.
// Reading never creates anything; a missing, unreadable or non-string value reads as empty.
// problem, when given, receives why a store that is there could not be read or written (the
// system's reason, in a few words), and is emptied when nothing went wrong.
QString ReadSetting(const QString& applicationKey, const QString& valueName,
                    QString* problem = nullptr);
// Creates the store if needed and replaces the value. Returns false when it could not be stored.
bool WriteSetting(const QString& applicationKey, const QString& valueName, const QString& value,
                  QString* problem = nullptr);

// Where a setting of applicationKey lives, for messages and documentation.
QString settingsLocation(const QString& applicationKey);

} // namespace vantor
