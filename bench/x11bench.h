#pragma once

// What the benchmarks that run the program's windows on a real X server share. Linking x11bench
// gives them their main(): Qt on xcb, the program's X11 desktop, then the benchmarks. Run them
// inside scripts/desktop-session.
#include <functional>

namespace vantor::bench {

// Runs the event loop until the condition holds or the time is up; whether it held.
bool processEventsUntil(const std::function<bool()>& condition, int milliseconds);
// Runs the event loop for a while: for the window manager and the compositor to catch up.
void settle(int milliseconds);

// Waits until the X server has carried out every request Qt sent it: pixels painted are then in
// the window, and a pointer warped is where it was sent.
void waitForServer();

} // namespace vantor::bench
