#pragma once

#include <QString>

namespace vantor {

// The path of a file that belongs to the program's copy on the X display named displayName
// (".lock", ".socket"), in the user's runtime folder: one copy per display, so that a second X
// session of the same user gets its own.
QString instanceFile(const QString& displayName, const QString& suffix);

} // namespace vantor
