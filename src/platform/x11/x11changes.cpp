#include <QAbstractEventDispatcher>
#include <QCoreApplication>

// Xlib defines macros (Bool, Status, None) that clash with Qt; it comes after every Qt header,
// and the keyboard's header brings the desktop's.
#include "platform/x11/x11keyboard.h"

#include "platform/x11/x11changes.h"
#include "platform/x11/xerrortrap.h"

#include <X11/extensions/XInput2.h>

#include <algorithm>

namespace vantor {

X11Changes::X11Changes(Display* display, X11Keyboard& keyboard)
    : m_display(display), m_keyboard(keyboard) {
    if (m_display == nullptr)
        return;
    int event = 0;
    int error = 0;
    // From 2.1 on, raw events come whatever grab another program holds: a key combination typed
    // while a menu is open.
    int major = 2;
    int minor = 2;
    if (!XQueryExtension(m_display, "XInputExtension", &m_inputOpcode, &event, &error) ||
        XIQueryVersion(m_display, &major, &minor) != Success) {
        m_inputOpcode = -1;
        return;
    }
    m_activeWindow = XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False);
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XIEventMask mask = {XIAllMasterDevices, int(sizeof(bits)), bits};
    XISelectEvents(m_display, DefaultRootWindow(m_display), &mask, 1);
    XFlush(m_display);
}

void X11Changes::read(bool alreadyQueued) {
    if (m_inputOpcode < 0)
        return;
    bool changed = false;
    while (XEventsQueued(m_display, alreadyQueued ? QueuedAlready : QueuedAfterReading) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type == PropertyNotify) {
            changed = changed || event.xproperty.atom == m_activeWindow;
            continue;
        }
        if (event.type == ConfigureNotify || event.type == MapNotify) {
            // The root's children are told of, ours too: another window raised or shown may now
            // cover an area.
            const Window window =
                event.type == MapNotify ? event.xmap.window : event.xconfigure.window;
            changed = changed || (m_frame != 0 && window == m_frame);
            if (!isArea(window))
                raiseAreas();
            continue;
        }
        if (event.type == EnterNotify) {
            changed = changed || isArea(event.xcrossing.window);
            continue;
        }
        XGenericEventCookie* cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != m_inputOpcode ||
            !XGetEventData(m_display, cookie))
            continue;
        if (cookie->evtype == XI_RawKeyPress || cookie->evtype == XI_RawKeyRelease) {
            m_keyboard.rawKey(cookie->evtype == XI_RawKeyPress,
                              static_cast<const XIRawEvent*>(cookie->data)->detail);
            changed = true;
        }
        XFreeEventData(m_display, cookie);
    }
    if (changed && m_changed)
        m_changed();
}

bool X11Changes::watch(std::function<void()> changed) {
    if (m_inputOpcode < 0 || QCoreApplication::instance() == nullptr)
        return false;
    m_changed = std::move(changed);
    XSelectInput(m_display, DefaultRootWindow(m_display),
                 PropertyChangeMask | SubstructureNotifyMask);
    XFlush(m_display);
    m_socket =
        std::make_unique<QSocketNotifier>(ConnectionNumber(m_display), QSocketNotifier::Read);
    QObject::connect(m_socket.get(), &QSocketNotifier::activated, m_socket.get(),
                     [this] { read(false); });
    // Events that came in with the answer to some question wait in Xlib's queue, where the socket
    // no longer shows them: they are read before the program next sleeps.
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     m_socket.get(), [this] {
                         if (XEventsQueued(m_display, QueuedAlready) > 0)
                             read(true);
                     });
    return true;
}

void X11Changes::watchPointerIn(const QList<QRect>& areas) {
    if (!m_changed || areas == m_areas)
        return;
    m_areas = areas;
    for (Window window : m_areaWindows)
        XDestroyWindow(m_display, window);
    m_areaWindows.clear();
    XSetWindowAttributes attributes = {};
    // Out of the window manager's hands, and seen by nothing: it only tells of the pointer.
    attributes.override_redirect = True;
    attributes.event_mask = EnterWindowMask;
    for (const QRect& area : areas) {
        if (area.isEmpty())
            continue;
        m_areaWindows.push_back(
            XCreateWindow(m_display, DefaultRootWindow(m_display), area.x(), area.y(),
                          unsigned(area.width()), unsigned(area.height()), 0, 0, InputOnly,
                          CopyFromParent, CWOverrideRedirect | CWEventMask, &attributes));
        XMapRaised(m_display, m_areaWindows.back());
    }
    XFlush(m_display);
}

bool X11Changes::isArea(Window window) const {
    return std::find(m_areaWindows.begin(), m_areaWindows.end(), window) != m_areaWindows.end();
}

void X11Changes::raiseAreas() {
    for (Window window : m_areaWindows)
        XRaiseWindow(m_display, window);
}

Window X11Changes::frameOf(Window window) {
    // The window manager's frame is the window's ancestor just below the root.
    for (Window at = window; at != 0;) {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(m_display, at, &root, &parent, &children, &count) == 0)
            return 0;
        if (children != nullptr)
            XFree(children);
        if (parent == root)
            return at;
        at = parent;
    }
    return 0;
}

void X11Changes::follow(Window window) {
    if (!m_changed || window == m_followed)
        return;
    m_followed = window;
    // The frame is one of the root's children, whose moves the root's watch tells of. The window
    // may be gone already; its errors mean nothing more.
    XErrorTrap trap(m_display);
    m_frame = window != 0 ? frameOf(window) : 0;
}

} // namespace vantor
