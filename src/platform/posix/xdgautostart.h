#pragma once

#include <QByteArray>
#include <QString>

namespace vantor {

// The file of the autostart entry: in $XDG_CONFIG_HOME/autostart, or in ~/.config/autostart when
// XDG_CONFIG_HOME is unset, empty or not an absolute path, as the XDG base directory rules say.
QString autostartEntryPath(const QString& xdgConfigHome, const QString& home);

// The desktop entry that starts the program at programPath when the user logs in.
QByteArray autostartEntry(const QString& programPath);

} // namespace vantor
