#pragma once

#include <QString>

namespace vantor {

// Whether the program starts when the user logs in: an XDG autostart entry in
// ${XDG_CONFIG_HOME:-~/.config}/autostart on POSIX desktops, a value under the current user's Run
// key on Windows. Nothing is written but by setStartAtLogin.
bool startsAtLogin();

// Makes the running program's file start at login, or no longer. False when that could not be
// stored, with the system's reason in problem.
bool setStartAtLogin(bool start, QString& problem);

} // namespace vantor
