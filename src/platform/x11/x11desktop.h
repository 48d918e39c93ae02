#pragma once

#include "platform/desktop.h"

namespace vantor {

// The desktop of an X11 session, through its own connection to the X server of DISPLAY.
std::unique_ptr<Desktop> createX11Desktop();

} // namespace vantor
