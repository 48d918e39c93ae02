#pragma once

// Counts the X round trips the process makes: every request whose reply it waits for, on Qt's
// own connection and on the program's Xlib connection alike. Linking this file in is enough; it
// stands in front of libX11's and libxcb's reply waits.
namespace vantor::bench {

long xRoundTrips();

} // namespace vantor::bench
