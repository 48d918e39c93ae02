#include "platform/x11/xerrortrap.h"

namespace vantor {

namespace {
bool errorSeen = false;

int recordError(Display*, XErrorEvent*) {
    errorSeen = true;
    return 0;
}

// Waits for the server only when a request was sent that it has not answered yet: after a reply
// every error of the requests before it has arrived, and a round trip would tell nothing new.
void syncIfPending(Display* display) {
    if (NextRequest(display) - 1 > LastKnownRequestProcessed(display))
        XSync(display, False);
}
} // namespace

XErrorTrap::XErrorTrap(Display* display) : m_display(display) {
    syncIfPending(m_display);
    errorSeen = false;
    m_previous = XSetErrorHandler(recordError);
}

XErrorTrap::~XErrorTrap() {
    syncIfPending(m_display);
    XSetErrorHandler(m_previous);
}

bool XErrorTrap::failed() {
    syncIfPending(m_display);
    return errorSeen;
}

} // namespace vantor
