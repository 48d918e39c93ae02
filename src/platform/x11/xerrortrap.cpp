#include "platform/x11/xerrortrap.h"

namespace vantor {

namespace {
bool errorSeen = false;

int recordError(Display*, XErrorEvent*) {
    errorSeen = true;
    return 0;
}
} // namespace

XErrorTrap::XErrorTrap(Display* display) : m_display(display) {
    XSync(m_display, False);
    errorSeen = false;
    m_previous = XSetErrorHandler(recordError);
}

XErrorTrap::~XErrorTrap() {
    XSync(m_display, False);
    XSetErrorHandler(m_previous);
}

bool XErrorTrap::failed() {
    XSync(m_display, False);
    return errorSeen;
}

} // namespace vantor
