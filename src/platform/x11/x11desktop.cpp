#include "platform/x11/x11desktop.h"

#include "platform/devicepixels.h"

#include <QByteArray>
#include <QFile>

// Xlib defines macros (Bool, Status, None) that clash with Qt; it comes after every Qt header.
#include "platform/x11/instancefile.h"
#include "platform/x11/x11changes.h"
#include "platform/x11/x11keyboard.h"
#include "platform/x11/x11magnifier.h"
#include "platform/x11/x11screengrab.h"
#include "platform/x11/xerrortrap.h"

#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <xcb/xcb.h>

#include <X11/keysym.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cstdlib>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vantor {

namespace {

// The desktop of an X11 session with an EWMH window manager. It keeps a connection of its own so
// that an X error caused by a window that vanished meanwhile never reaches Qt's connection.
class X11Desktop final : public Desktop {
public:
    X11Desktop();
    ~X11Desktop() override;
    X11Desktop(const X11Desktop&) = delete;
    X11Desktop& operator=(const X11Desktop&) = delete;

    bool claimSingleInstance() override;
    QSet<VirtualKey> keysDown(const QList<VirtualKey>& keys) override;
    QPoint cursorPos() override;
    NativeWindow foregroundWindow() override;
    DesktopLook look(const QList<VirtualKey>& keys) override;
    QRect windowFrame(NativeWindow window) override;
    void moveWindowTopLeft(NativeWindow window, QPoint topLeft) override;
    bool isPlacedByUser(NativeWindow window) override;
    void keepOffTaskbar(NativeWindow window) override;
    QImage grabDevicePixels(const QRect& device) override;
    QImage grabDevicePixelsToSave(const QRect& device) override;
    bool freezeScreenBehind(NativeWindow window, const QRect& area) override;
    void drawOnWindow(NativeWindow window, const QImage& picture, QPoint topLeft) override;
    std::unique_ptr<ScreenMagnifier> magnifierFor(NativeWindow window, QRgb frame) override {
        return createX11Magnifier(window, frame);
    }
    bool compositorRunning() override;
    bool watchChanges(std::function<void()> changed) override {
        return m_changes.watch(std::move(changed));
    }
    void watchPointerIn(const QList<QRect>& areas) override {
        QList<QRect> device;
        for (const QRect& area : areas)
            device.append(toDevicePixels(area, screenScales()));
        m_changes.watchPointerIn(device);
    }

private:
    // The outer frame in the server's device pixels.
    QRect deviceFrame(NativeWindow window);
    void sendRootMessage(Window window, Atom type, const long (&data)[5]);

    Atom atom(const char* name) const { return XInternAtom(m_display, name, False); }

    Display* m_display = nullptr;
    // The same connection as m_display: its requests can go out together and be answered in one
    // exchange, where each Xlib call waits for its own answer.
    xcb_connection_t* m_connection = nullptr;
    int m_lockFd = -1;
    std::unique_ptr<X11ScreenGrabber> m_grabber;
    X11Keyboard m_keyboard;
    X11Changes m_changes;
};

// Reads a CARDINAL or WINDOW array property; empty when the window or property is missing.
std::vector<long> longProperty(Display* display, Window window, const char* name, Atom type) {
    std::vector<long> values;
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const Atom property = XInternAtom(display, name, False);
    if (XGetWindowProperty(display, window, property, 0, 32, False, type, &actualType,
                           &actualFormat, &count, &remaining, &data) == Success &&
        data != nullptr) {
        if (actualType == type && actualFormat == 32) {
            const long* items = reinterpret_cast<const long*>(data);
            values.assign(items, items + count);
        }
        XFree(data);
    }
    return values;
}

struct Extents {
    int left = 0, right = 0, top = 0, bottom = 0;
};

Extents frameExtents(Display* display, Window window) {
    const std::vector<long> v = longProperty(display, window, "_NET_FRAME_EXTENTS", XA_CARDINAL);
    if (v.size() < 4)
        return {};
    return {static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
            static_cast<int>(v[3])};
}

// The display is the one the connection reached, so ":1" and ":1.0" are the same display.
QString lockPath(Display* display) {
    const QString name = display != nullptr ? QString::fromLocal8Bit(XDisplayString(display))
                                            : QString::fromLocal8Bit(qgetenv("DISPLAY"));
    return instanceFile(name, QStringLiteral(".lock"));
}

} // namespace

X11Desktop::X11Desktop()
    : m_display(XOpenDisplay(nullptr)),
      m_connection(m_display != nullptr ? XGetXCBConnection(m_display) : nullptr),
      m_keyboard(m_display), m_changes(m_display, m_keyboard) {}

X11Desktop::~X11Desktop() {
    m_grabber.reset(); // it detaches its shared memory through the display
    if (m_display != nullptr)
        XCloseDisplay(m_display);
    if (m_lockFd >= 0)
        close(m_lockFd);
}

bool X11Desktop::claimSingleInstance() {
    // An flock dies with its process, so a crashed or killed instance never leaves a stale claim.
    const QByteArray path = QFile::encodeName(lockPath(m_display));
    m_lockFd = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_lockFd < 0)
        return true; // Without a place for the claim, running twice beats not running at all.
    return flock(m_lockFd, LOCK_EX | LOCK_NB) == 0;
}

QSet<VirtualKey> X11Desktop::keysDown(const QList<VirtualKey>& keys) {
    char keymap[32] = {};
    if (m_display == nullptr)
        return {};
    m_changes.read(false);
    XQueryKeymap(m_display, keymap);
    // What came in before the keymap's answer happened before it: handed over, then the keymap
    // holds.
    m_changes.read(true);
    return m_keyboard.keysDown(keymap, keys);
}

QPoint X11Desktop::cursorPos() {
    if (m_display == nullptr)
        return {};
    Window root = None, child = None;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    XQueryPointer(m_display, DefaultRootWindow(m_display), &root, &child, &rootX, &rootY, &x, &y,
                  &mask);
    return toLogicalPixels(QPoint(rootX, rootY), screenScales());
}

NativeWindow X11Desktop::foregroundWindow() {
    if (m_display == nullptr)
        return 0;
    const std::vector<long> active =
        longProperty(m_display, DefaultRootWindow(m_display), "_NET_ACTIVE_WINDOW", XA_WINDOW);
    return active.empty() ? 0 : static_cast<NativeWindow>(active.front());
}

DesktopLook X11Desktop::look(const QList<VirtualKey>& keys) {
    if (m_display == nullptr)
        return {};
    // Asked before the keyboard's look, whose answer comes after theirs: one wait for all three.
    const xcb_window_t root = DefaultRootWindow(m_display);
    const xcb_query_pointer_cookie_t pointer = xcb_query_pointer(m_connection, root);
    const xcb_get_property_cookie_t active =
        xcb_get_property(m_connection, 0, root, atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 0, 1);
    DesktopLook seen;
    seen.keys = keysDown(keys);
    xcb_generic_error_t* error = nullptr;
    if (xcb_query_pointer_reply_t* reply = xcb_query_pointer_reply(m_connection, pointer, &error)) {
        seen.cursor = toLogicalPixels(QPoint(reply->root_x, reply->root_y), screenScales());
        std::free(reply);
    }
    std::free(error);
    error = nullptr;
    if (xcb_get_property_reply_t* reply = xcb_get_property_reply(m_connection, active, &error)) {
        if (reply->type == XCB_ATOM_WINDOW && reply->format == 32 &&
            xcb_get_property_value_length(reply) >= 4)
            seen.foreground = *static_cast<const xcb_window_t*>(xcb_get_property_value(reply));
        std::free(reply);
    }
    std::free(error);
    m_changes.follow(seen.foreground);
    return seen;
}

QRect X11Desktop::windowFrame(NativeWindow window) {
    return toLogicalPixels(deviceFrame(window), screenScales());
}

QRect X11Desktop::deviceFrame(NativeWindow window) {
    if (m_display == nullptr || window == 0)
        return {};
    // A window that vanished answers with errors, which come back here and never reach Qt.
    const auto id = static_cast<xcb_window_t>(window);
    const xcb_get_geometry_cookie_t geometry = xcb_get_geometry(m_connection, id);
    const xcb_translate_coordinates_cookie_t origin =
        xcb_translate_coordinates(m_connection, id, DefaultRootWindow(m_display), 0, 0);
    const xcb_get_property_cookie_t extents =
        xcb_get_property(m_connection, 0, id, atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 0, 4);
    xcb_generic_error_t* error = nullptr;
    xcb_get_geometry_reply_t* size = xcb_get_geometry_reply(m_connection, geometry, &error);
    std::free(error);
    error = nullptr;
    xcb_translate_coordinates_reply_t* place =
        xcb_translate_coordinates_reply(m_connection, origin, &error);
    std::free(error);
    error = nullptr;
    xcb_get_property_reply_t* frame = xcb_get_property_reply(m_connection, extents, &error);
    std::free(error);
    QRect rect;
    if (size != nullptr && place != nullptr && size->width > 0 && size->height > 0) {
        rect = QRect(place->dst_x, place->dst_y, size->width, size->height);
        if (frame != nullptr && frame->type == XCB_ATOM_CARDINAL && frame->format == 32 &&
            xcb_get_property_value_length(frame) >= 16) {
            const auto* e = static_cast<const quint32*>(xcb_get_property_value(frame));
            rect.adjust(-int(e[0]), -int(e[2]), int(e[1]), int(e[3]));
        }
    }
    std::free(size);
    std::free(place);
    std::free(frame);
    return rect;
}

void X11Desktop::moveWindowTopLeft(NativeWindow window, QPoint logicalTopLeft) {
    const QRect frame = deviceFrame(window);
    if (frame.isEmpty())
        return;
    XErrorTrap trap(m_display);
    const Extents e = frameExtents(m_display, window);
    const QPoint topLeft = toDevicePixels(logicalTopLeft, screenScales());
    const int right = frame.x() + frame.width();
    const int bottom = frame.y() + frame.height();
    const long width = std::max(1, right - topLeft.x() - e.left - e.right);
    const long height = std::max(1, bottom - topLeft.y() - e.top - e.bottom);
    // North-west gravity, x, y, width and height given, sent as a pager would.
    const long flags = 1 | (1 << 8) | (1 << 9) | (1 << 10) | (1 << 11) | (2 << 12);
    sendRootMessage(window, XInternAtom(m_display, "_NET_MOVERESIZE_WINDOW", False),
                    {flags, topLeft.x(), topLeft.y(), width, height});
}

bool X11Desktop::isPlacedByUser(NativeWindow window) {
    if (m_display == nullptr || window == 0)
        return false;
    XErrorTrap trap(m_display);
    const auto atom = [this](const char* name) { return XInternAtom(m_display, name, False); };
    for (long type : longProperty(m_display, window, "_NET_WM_WINDOW_TYPE", XA_ATOM))
        if (Atom(type) == atom("_NET_WM_WINDOW_TYPE_DESKTOP") ||
            Atom(type) == atom("_NET_WM_WINDOW_TYPE_DOCK"))
            return false;
    for (long state : longProperty(m_display, window, "_NET_WM_STATE", XA_ATOM))
        if (Atom(state) == atom("_NET_WM_STATE_MAXIMIZED_VERT") ||
            Atom(state) == atom("_NET_WM_STATE_MAXIMIZED_HORZ") ||
            Atom(state) == atom("_NET_WM_STATE_FULLSCREEN"))
            return false;
    return !trap.failed();
}

void X11Desktop::keepOffTaskbar(NativeWindow window) {
    if (m_display == nullptr || window == 0)
        return;
    // Set on the window before it is mapped, where window managers read it; Qt keeps states it
    // does not manage when it adds its own at mapping.
    XErrorTrap trap(m_display);
    const Atom states[] = {XInternAtom(m_display, "_NET_WM_STATE_SKIP_TASKBAR", False),
                           XInternAtom(m_display, "_NET_WM_STATE_SKIP_PAGER", False)};
    XChangeProperty(m_display, window, XInternAtom(m_display, "_NET_WM_STATE", False), XA_ATOM, 32,
                    PropModeAppend, reinterpret_cast<const unsigned char*>(states), 2);
}

void X11Desktop::sendRootMessage(Window window, Atom type, const long (&data)[5]) {
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    for (int i = 0; i < 5; ++i)
        event.xclient.data.l[i] = data[i];
    XSendEvent(m_display, DefaultRootWindow(m_display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(m_display);
}

QImage X11Desktop::grabDevicePixels(const QRect& device) {
    if (!m_grabber)
        m_grabber = std::make_unique<X11ScreenGrabber>(m_display);
    return m_grabber->grab(device);
}

QImage X11Desktop::grabDevicePixelsToSave(const QRect& device) {
    if (!m_grabber)
        m_grabber = std::make_unique<X11ScreenGrabber>(m_display);
    return m_grabber->grab(device, X11ScreenGrabber::Padding::AsCopied);
}

bool X11Desktop::freezeScreenBehind(NativeWindow window, const QRect& logicalArea) {
    const QRect area = toDevicePixels(logicalArea, screenScales());
    if (m_display == nullptr || window == 0 || area.isEmpty())
        return false;
    XErrorTrap trap(m_display);
    const Window root = DefaultRootWindow(m_display);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(m_display, window, &attributes) ||
        attributes.depth != DefaultDepth(m_display, DefaultScreen(m_display)))
        return false;
    const Pixmap copy = XCreatePixmap(m_display, root, unsigned(area.width()),
                                      unsigned(area.height()), unsigned(attributes.depth));
    XGCValues values = {};
    values.subwindow_mode = IncludeInferiors;
    values.foreground = BlackPixel(m_display, DefaultScreen(m_display));
    const GC gc = XCreateGC(m_display, copy, GCSubwindowMode | GCForeground, &values);
    // Beyond the screen's edge the copy is black, as a grab of the screen is.
    XFillRectangle(m_display, copy, gc, 0, 0, unsigned(area.width()), unsigned(area.height()));
    XCopyArea(m_display, root, copy, gc, area.x(), area.y(), unsigned(area.width()),
              unsigned(area.height()), 0, 0);
    // The window keeps the pixmap for as long as it needs it.
    XSetWindowBackgroundPixmap(m_display, window, copy);
    XFreeGC(m_display, gc);
    XFreePixmap(m_display, copy);
    // Done before Qt, on a connection of its own, maps the window.
    return !trap.failed();
}

void X11Desktop::drawOnWindow(NativeWindow window, const QImage& picture, QPoint topLeft) {
    if (m_display == nullptr || window == 0 || picture.isNull())
        return;
    QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
    const int screen = DefaultScreen(m_display);
    XImage* image = XCreateImage(m_display, DefaultVisual(m_display, screen),
                                 unsigned(DefaultDepth(m_display, screen)), ZPixmap, 0,
                                 reinterpret_cast<char*>(pixels.bits()), unsigned(pixels.width()),
                                 unsigned(pixels.height()), 32, int(pixels.bytesPerLine()));
    if (image == nullptr)
        return;
    XErrorTrap trap(m_display);
    const GC gc = XCreateGC(m_display, window, 0, nullptr);
    XPutImage(m_display, window, gc, image, 0, 0, topLeft.x(), topLeft.y(),
              unsigned(pixels.width()), unsigned(pixels.height()));
    XFreeGC(m_display, gc);
    image->data = nullptr; // the pixels are the QImage's
    XDestroyImage(image);
}

bool X11Desktop::compositorRunning() {
    if (m_display == nullptr)
        return false;
    // A compositing manager owns the selection of the screen it draws, by the EWMH convention.
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(m_display));
    return XGetSelectionOwner(m_display, XInternAtom(m_display, name.constData(), False)) != None;
}

std::unique_ptr<Desktop> createX11Desktop() {
    return std::make_unique<X11Desktop>();
}

} // namespace vantor
