// The X side of the harness: window lookup, XTest input and screen reading. Xlib's macros
// (None, Bool, Status, ...) clash with Qt's names, so its headers come last and stay here.
#include "harness.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <set>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <unistd.h>

#include <X11/extensions/Xfixes.h>
#include <X11/extensions/XTest.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vantor::desk {

namespace {

Display* display() {
    // Windows vanish while they are walked; a request on a dead window is expected, not fatal.
    static Display* const connection = [] {
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        return XOpenDisplay(nullptr);
    }();
    if (connection == nullptr)
        throw std::runtime_error("cannot open the X display; run the test inside "
                                 "scripts/desktop-session");
    return connection;
}

Window root() {
    return DefaultRootWindow(display());
}

Atom atom(const char* name) {
    return XInternAtom(display(), name, False);
}

// A property's value as Xlib hands it over (32-bit items as longs), empty when it is unset.
std::string property(Window window, const char* name) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display(), window, atom(name), 0, 1024, False, AnyPropertyType, &type,
                           &format, &count, &remaining, &data) != Success ||
        data == nullptr)
        return {};
    const std::string value(reinterpret_cast<char*>(data),
                            format == 32 ? count * sizeof(long) : count * format / 8);
    XFree(data);
    return value;
}

// A text property up to its first NUL: WM_CLASS holds the instance name first.
std::string text(Window window, const char* name) {
    return property(window, name).c_str();
}

void collect(Window window, bool insideClient, std::vector<WindowInfo>& found) {
    Window rootReturn = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display(), window, &rootReturn, &parent, &children, &count) == 0)
        return;
    for (unsigned int i = 0; i < count; ++i) {
        const Window child = children[i];
        XWindowAttributes attributes{};
        // Window-manager frames carry no WM_CLASS: a window that has one is a client's.
        const bool isClient = !text(child, "WM_CLASS").empty() &&
                              XGetWindowAttributes(display(), child, &attributes) != 0;
        const QRect rect = isClient ? windowRect(child) : QRect();
        if (isClient && attributes.map_state == IsViewable && !rect.isEmpty()) {
            WindowInfo& info = found.emplace_back();
            info.id = child;
            info.role = text(child, "WM_WINDOW_ROLE");
            info.instance = text(child, "WM_CLASS");
            info.title = text(child, "_NET_WM_NAME");
            info.pid = static_cast<long>(cardinal(child, "_NET_WM_PID"));
            // A menu's window is override-redirect, as a tooltip's and the toolbar's are; Qt names
            // the tooltip's type, and the toolbar, like every tool window, carries a role.
            info.menu =
                attributes.override_redirect != 0 && info.role.empty() &&
                cardinal(child, "_NET_WM_WINDOW_TYPE") != atom("_NET_WM_WINDOW_TYPE_TOOLTIP");
            info.embedded = insideClient;
            info.rect = rect;
        }
        collect(child, insideClient || isClient, found);
    }
    if (children != nullptr)
        XFree(children);
}

} // namespace

std::vector<WindowInfo> findWindows(const std::function<bool(const WindowInfo&)>& match) {
    std::vector<WindowInfo> found;
    collect(root(), false, found);
    std::erase_if(found, [&](const WindowInfo& w) { return !match(w); });
    return found;
}

std::vector<WindowInfo> windowsOf(pid_t pid, const std::string& name) {
    return findWindows([&](const WindowInfo& w) {
        return w.pid == pid && !w.embedded && (name.empty() || w.role == name || w.title == name);
    });
}

std::vector<WindowInfo> popupsOf(pid_t pid) {
    return findWindows(
        [pid](const WindowInfo& w) { return w.pid == pid && w.menu && !w.embedded; });
}

QRect windowRect(XWindow window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display(), window, &attributes) == 0)
        return {};
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display(), window, root(), 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
}

bool viewable(XWindow window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display(), window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

XWindow focusedWindow() {
    Window focus = 0;
    int revertTo = 0;
    XGetInputFocus(display(), &focus, &revertTo);
    return focus;
}

XWindow activeWindow() {
    return cardinal(root(), "_NET_ACTIVE_WINDOW");
}

unsigned long cardinal(XWindow window, const std::string& name) {
    const std::string value = property(window, name.c_str());
    unsigned long item = 0;
    if (value.size() >= sizeof item)
        std::memcpy(&item, value.data(), sizeof item);
    // Xlib hands 32-bit items over as longs, sign-extended where the top bit is set.
    return item & 0xFFFFFFFFUL;
}

QRect frameRect(XWindow window) {
    const std::string extents = property(window, "_NET_FRAME_EXTENTS");
    long e[4] = {};
    if (extents.size() >= sizeof e)
        std::memcpy(e, extents.data(), sizeof e);
    return windowRect(window).adjusted(-int(e[0]), -int(e[2]), int(e[1]), int(e[3]));
}

void moveFrame(XWindow window, QPoint topLeft) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = atom("_NET_MOVERESIZE_WINDOW");
    event.xclient.format = 32;
    // North-west gravity, x and y given, from a pager.
    const long data[5] = {1 | (1 << 8) | (1 << 9) | (2 << 12), topLeft.x(), topLeft.y(), 0, 0};
    std::copy(std::begin(data), std::end(data), event.xclient.data.l);
    XSendEvent(display(), root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(display(), False);
}

QRect trayIconRect(pid_t pid) {
    // A client window inside another client's window was embedded: a docked tray icon.
    const std::vector<WindowInfo> icons =
        findWindows([pid](const WindowInfo& w) { return w.pid == pid && w.embedded; });
    return icons.empty() ? QRect() : icons.front().rect;
}

QRect waitForDockedIcon(pid_t pid, Milliseconds timeout) {
    QRect settled;
    waitFor(
        [&] {
            settled = trayIconRect(pid);
            return !settled.isEmpty() &&
                   holdsFor([&] { return trayIconRect(pid) == settled; }, 300ms);
        },
        timeout);
    return trayIconRect(pid) == settled ? settled : QRect();
}

int dockedIconCount() {
    return static_cast<int>(findWindows([](const WindowInfo& w) { return w.embedded; }).size());
}

bool trayHostRunning() {
    const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(display()));
    return XGetSelectionOwner(display(), atom(name.c_str())) != 0;
}

void moveMouse(QPoint to) {
    XTestFakeMotionEvent(display(), -1, to.x(), to.y(), CurrentTime);
    XSync(display(), False);
}

namespace {

// Keys by code and buttons by number that are down now, to let go of after a test that ended
// while holding them.
std::set<std::pair<bool, unsigned>> held;

void fake(bool isKey, unsigned code, bool down) {
    if (isKey)
        XTestFakeKeyEvent(display(), code, down ? True : False, CurrentTime);
    else
        XTestFakeButtonEvent(display(), code, down ? True : False, CurrentTime);
    XSync(display(), False);
    if (down)
        held.emplace(isKey, code);
    else
        held.erase({isKey, code});
}

} // namespace

void holdButton(Button button, bool down) {
    fake(false, static_cast<unsigned>(button), down);
}

void click(QPoint at, Button button) {
    moveMouse(at);
    holdButton(button, true);
    holdButton(button, false);
}

void drag(QPoint from, QPoint to, int steps, Button button) {
    moveMouse(from);
    holdButton(button, true);
    for (int i = 1; i <= steps; ++i) {
        // Paced like a hand, so that the program sees the moves as separate events.
        std::this_thread::sleep_for(10ms);
        moveMouse(from + (to - from) * i / steps);
    }
    holdButton(button, false);
}

void holdKey(const std::string& keysymName, bool down) {
    const KeySym keysym = XStringToKeysym(keysymName.c_str());
    const KeyCode code = keysym == NoSymbol ? 0 : XKeysymToKeycode(display(), keysym);
    if (code == 0)
        throw std::runtime_error("no key for the keysym named " + keysymName);
    fake(true, code, down);
}

void releaseHeld() {
    while (!held.empty()) {
        const auto [isKey, code] = *held.begin();
        fake(isKey, code, false);
    }
}

void key(const std::string& keysymNames) {
    std::istringstream words(keysymNames);
    for (std::string word; words >> word;) {
        std::vector<std::string> held;
        std::istringstream names(word);
        for (std::string name; std::getline(names, name, '+');)
            holdKey(held.emplace_back(name), true);
        for (auto it = held.rbegin(); it != held.rend(); ++it)
            holdKey(*it, false);
    }
}

QImage screenshot(const QRect& rect) {
    const QRect screen(0, 0, DisplayWidth(display(), DefaultScreen(display())),
                       DisplayHeight(display(), DefaultScreen(display())));
    const QRect area = rect.isNull() ? screen : rect.intersected(screen);
    if (area.isEmpty())
        return {};
    XImage* image = XGetImage(display(), root(), area.x(), area.y(), area.width(), area.height(),
                              AllPlanes, ZPixmap);
    if (image == nullptr)
        throw std::runtime_error("cannot read the screen");
    // The session's screen is 24 bits deep: a pixel is 0xRRGGBB.
    QImage result(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < area.width(); ++x)
            line[x] = qRgb(0, 0, 0) | static_cast<QRgb>(XGetPixel(image, x, y) & 0xFFFFFF);
    }
    XDestroyImage(image);
    return result;
}

QImage cursorImage() {
    XFixesCursorImage* cursor = XFixesGetCursorImage(display());
    if (cursor == nullptr)
        throw std::runtime_error("cannot read the pointer's picture");
    QImage image(cursor->width, cursor->height, QImage::Format_ARGB32);
    // Xlib hands the 32-bit pixels over as longs.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, static_cast<QRgb>(cursor->pixels[y * cursor->width + x]));
    XFree(cursor);
    return image;
}

PatternWindow::PatternWindow(const QRect& geometry, unsigned backgroundRgb, std::vector<Fill> fills)
    : m_expected(geometry.size(), QImage::Format_RGB32) {
    m_expected.fill(QColor::fromRgb(backgroundRgb));
    QPainter painter(&m_expected);
    // A connection of its own, as another program would have.
    Display* own = XOpenDisplay(nullptr);
    if (own == nullptr)
        throw std::runtime_error("cannot open the X display for a pattern window");
    m_display = own;
    m_window = XCreateSimpleWindow(own, DefaultRootWindow(own), geometry.x(), geometry.y(),
                                   static_cast<unsigned>(geometry.width()),
                                   static_cast<unsigned>(geometry.height()), 0, 0, backgroundRgb);
    for (const Fill& fill : fills) {
        painter.fillRect(fill.rect, QColor::fromRgb(fill.rgb));
        XMapWindow(own,
                   XCreateSimpleWindow(own, m_window, fill.rect.x(), fill.rect.y(),
                                       static_cast<unsigned>(fill.rect.width()),
                                       static_cast<unsigned>(fill.rect.height()), 0, 0, fill.rgb));
    }
    char instance[] = "vantor-pattern", className[] = "VantorPattern";
    XClassHint hint{instance, className};
    XSetClassHint(own, m_window, &hint);
    // Asked-for position and size, so the window manager puts it where the test wants it.
    XSizeHints hints{};
    hints.flags = USPosition | USSize;
    hints.x = geometry.x();
    hints.y = geometry.y();
    hints.width = geometry.width();
    hints.height = geometry.height();
    XSetWMNormalHints(own, m_window, &hints);
    XMapWindow(own, m_window);
    XSync(own, False);
    if (!waitFor([this] { return viewable(m_window); }))
        throw std::runtime_error("the pattern window did not appear");
}

PatternWindow::~PatternWindow() {
    XDestroyWindow(static_cast<Display*>(m_display), m_window);
    XCloseDisplay(static_cast<Display*>(m_display));
}

QRect PatternWindow::shown() const {
    const QRect placed = windowRect(m_window);
    // The compositor shows a new window a moment after it is mapped.
    if (placed.size() != m_expected.size() ||
        !waitFor([&] { return screenshot(placed) == expected(); }))
        throw std::runtime_error("the screen does not show the pattern window");
    return placed;
}

} // namespace vantor::desk
