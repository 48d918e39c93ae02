#pragma once

#include <QString>

namespace vantor {

// The path of a file that belongs to the program's copy on the X display named displayName
// (".lock", ".socket"), in a folder of the user's own: one copy per user and display, so that a
// second X session of the same user gets its own, whatever the environment of either start.
QString instanceFile(const QString& displayName, const QString& suffix);

} // namespace vantor
