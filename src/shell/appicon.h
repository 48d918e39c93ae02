#pragma once

#include <QIcon>

namespace vantor {

// The program's icon: a blue ruler with white ticks, drawn at every size the desktop asks for.
QIcon appIcon();

} // namespace vantor
