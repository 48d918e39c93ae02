#pragma once

#include <X11/Xlib.h>

namespace vantor {

// Catches the X errors of the requests made while it lives, instead of letting Xlib end the
// process: windows of other programs can vanish between any two requests.
class XErrorTrap {
public:
    explicit XErrorTrap(Display* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Whether any request so far failed; waits for the server to answer the requests made.
    bool failed();

private:
    Display* m_display;
    XErrorHandler m_previous;
};

} // namespace vantor
