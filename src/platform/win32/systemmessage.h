#pragma once

#include <QString>

namespace vantor {

// The system's text for a Windows error code, as the user's other programs show it.
QString systemMessage(long code);

} // namespace vantor
