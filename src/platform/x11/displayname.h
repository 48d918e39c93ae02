#pragma once

#include <QString>

namespace vantor {

// The name of the X display a connection went to, reduced to what tells displays apart: the host
// (empty for a local one, however it is spelled) and the display number, with the screen left
// out. ":1", ":1.0" and "unix:1.0" give the same name; "otherhost:1" another. Empty when
// displayName does not name a display.
QString displayIdentity(const QString& displayName);

} // namespace vantor
