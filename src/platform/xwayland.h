#pragma once

#include <QByteArray>

namespace vantor {

// Whether the program must run through XWayland (Qt's xcb platform), given the session's
// WAYLAND_DISPLAY and QT_QPA_PLATFORM: in a Wayland session where the user chose no platform.
// A Wayland client cannot place its own windows, read the pointer outside them or copy the
// screen, and every tool needs one of those.
bool runThroughXWayland(const QByteArray& waylandDisplay, const QByteArray& qtPlatform);

} // namespace vantor
