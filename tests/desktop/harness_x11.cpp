// The X side of the harness: window lookup, XTest input and screen reading. Xlib's macros
// (None, Bool, Status, ...) clash with Qt's names, so its headers come last and stay here.
#include "harness.h"

#include <algorithm>
#include <stdexcept>
#include <thread>
#include <unistd.h>

#include <X11/extensions/XTest.h>
#include <X11/Xatom.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vantor::desk {

namespace {

// Windows vanish while they are walked; a request on a dead window is expected, not fatal.
int ignoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

Display* display() {
    static Display* connection = [] {
        Display* opened = XOpenDisplay(nullptr);
        if (opened == nullptr)
            throw std::runtime_error("cannot open the X display; run the test inside "
                                     "scripts/desktop-session");
        XSetErrorHandler(ignoreXErrors);
        return opened;
    }();
    return connection;
}

Window root() {
    return DefaultRootWindow(display());
}

Atom atom(const char* name) {
    return XInternAtom(display(), name, False);
}

// The first item of a 32-bit property, or nothing when it is missing.
std::optional<long> cardinalProperty(Window window, const char* name) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::optional<long> value;
    if (XGetWindowProperty(display(), window, atom(name), 0, 1, False, AnyPropertyType, &type,
                           &format, &count, &remaining, &data) == Success &&
        data != nullptr) {
        if (format == 32 && count > 0)
            value = *reinterpret_cast<long*>(data);
        XFree(data);
    }
    return value;
}

std::string textProperty(Window window) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(display(), window, atom("_NET_WM_NAME"), 0, 1024, False,
                           atom("UTF8_STRING"), &type, &format, &count, &remaining,
                           &data) == Success &&
        data != nullptr) {
        text.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    if (text.empty()) {
        char* name = nullptr;
        if (XFetchName(display(), window, &name) != 0 && name != nullptr) {
            text = name;
            XFree(name);
        }
    }
    return text;
}

void collect(Window window, bool insideClient, std::vector<WindowInfo>& found) {
    Window rootReturn = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display(), window, &rootReturn, &parent, &children, &count) == 0)
        return;
    for (unsigned int i = 0; i < count; ++i) {
        const Window child = children[i];
        XClassHint hint{};
        XWindowAttributes attributes{};
        const bool isClient = XGetClassHint(display(), child, &hint) != 0;
        if (isClient && XGetWindowAttributes(display(), child, &attributes) != 0) {
            WindowInfo info;
            info.id = child;
            info.instanceName = hint.res_name != nullptr ? hint.res_name : "";
            info.className = hint.res_class != nullptr ? hint.res_class : "";
            info.title = textProperty(child);
            info.pid = cardinalProperty(child, "_NET_WM_PID").value_or(0);
            info.overrideRedirect = attributes.override_redirect != 0;
            info.viewable = attributes.map_state == IsViewable;
            info.embedded = insideClient;
            info.rect = windowRect(child);
            found.push_back(info);
        }
        if (hint.res_name != nullptr)
            XFree(hint.res_name);
        if (hint.res_class != nullptr)
            XFree(hint.res_class);
        collect(child, insideClient || isClient, found);
    }
    if (children != nullptr)
        XFree(children);
}

void sync() {
    XSync(display(), False);
}

} // namespace

std::vector<WindowInfo> allWindows() {
    std::vector<WindowInfo> found;
    collect(root(), false, found);
    return found;
}

std::vector<WindowInfo> findWindows(const std::function<bool(const WindowInfo&)>& match) {
    std::vector<WindowInfo> matching;
    for (const WindowInfo& info : allWindows())
        if (match(info))
            matching.push_back(info);
    return matching;
}

std::vector<WindowInfo> visibleWindowsOf(pid_t pid) {
    return findWindows([pid](const WindowInfo& w) {
        return w.pid == pid && w.viewable && !w.embedded && !w.rect.isEmpty();
    });
}

std::vector<WindowInfo> popupsOf(pid_t pid) {
    return findWindows([pid](const WindowInfo& w) {
        return w.pid == pid && w.viewable && w.overrideRedirect && !w.embedded && !w.rect.isEmpty();
    });
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

QRect trayIconRect(pid_t pid) {
    // Window-manager frames carry no WM_CLASS, so a client window inside another client's
    // window is one that was embedded: a docked tray icon.
    for (const WindowInfo& w : allWindows())
        if (w.pid == pid && w.embedded && w.viewable && !w.rect.isEmpty())
            return w.rect;
    return {};
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

int dockedIconCount(const std::string& instanceName) {
    return static_cast<int>(findWindows([&](const WindowInfo& w) {
                                return w.instanceName == instanceName && w.embedded && w.viewable;
                            }).size());
}

bool trayHostRunning() {
    const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(display()));
    return XGetSelectionOwner(display(), atom(name.c_str())) != 0;
}

QPoint cursorPos() {
    Window rootReturn = 0, child = 0;
    int x = 0, y = 0, winX = 0, winY = 0;
    unsigned int mask = 0;
    XQueryPointer(display(), root(), &rootReturn, &child, &x, &y, &winX, &winY, &mask);
    return {x, y};
}

void moveMouse(QPoint to) {
    XTestFakeMotionEvent(display(), -1, to.x(), to.y(), CurrentTime);
    sync();
}

void press(Button button) {
    XTestFakeButtonEvent(display(), static_cast<unsigned>(button), True, CurrentTime);
    sync();
}

void release(Button button) {
    XTestFakeButtonEvent(display(), static_cast<unsigned>(button), False, CurrentTime);
    sync();
}

void click(QPoint at, Button button) {
    moveMouse(at);
    press(button);
    release(button);
}

void doubleClick(QPoint at, Button button) {
    click(at, button);
    press(button);
    release(button);
}

void drag(QPoint from, QPoint to, int steps, Button button) {
    moveMouse(from);
    press(button);
    steps = std::max(steps, 1);
    for (int i = 1; i <= steps; ++i) {
        // Paced like a hand, so that the program sees the moves as separate events.
        std::this_thread::sleep_for(10ms);
        moveMouse(from + (to - from) * i / steps);
    }
    release(button);
}

namespace {

KeyCode keycodeOf(KeySym keysym) {
    const KeyCode code = XKeysymToKeycode(display(), keysym);
    if (code == 0)
        throw std::runtime_error("no key for keysym " + std::to_string(keysym));
    return code;
}

void sendKey(KeyCode code, bool down) {
    XTestFakeKeyEvent(display(), code, down ? True : False, CurrentTime);
    sync();
}

void keyWithModifiers(KeyCode code, int modifiers) {
    std::vector<KeyCode> held;
    if (modifiers & Ctrl)
        held.push_back(keycodeOf(XK_Control_L));
    if (modifiers & Shift)
        held.push_back(keycodeOf(XK_Shift_L));
    if (modifiers & Alt)
        held.push_back(keycodeOf(XK_Alt_L));
    for (KeyCode modifier : held)
        sendKey(modifier, true);
    sendKey(code, true);
    sendKey(code, false);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        sendKey(*it, false);
}

} // namespace

void key(const std::string& keysymName, int modifiers) {
    const KeySym keysym = XStringToKeysym(keysymName.c_str());
    if (keysym == NoSymbol)
        throw std::runtime_error("unknown keysym name " + keysymName);
    keyWithModifiers(keycodeOf(keysym), modifiers);
}

void typeText(const QString& text) {
    for (const QChar character : text) {
        // Latin-1 keysyms have the character's own code.
        const KeySym keysym = character.unicode();
        const KeyCode code = keycodeOf(keysym);
        const bool shifted = XkbKeycodeToKeysym(display(), code, 0, 0) != keysym;
        keyWithModifiers(code, shifted ? Shift : NoModifier);
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
    QImage result(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < area.width(); ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            line[x] = qRgb(static_cast<int>((pixel & image->red_mask) >> 16),
                           static_cast<int>((pixel & image->green_mask) >> 8),
                           static_cast<int>(pixel & image->blue_mask));
        }
    }
    XDestroyImage(image);
    return result;
}

struct PatternWindow::Connection {
    Display* display = nullptr;
};

PatternWindow::PatternWindow(const QRect& geometry, unsigned backgroundRgb,
                             const std::vector<Fill>& fills, const std::string& title)
    : m_connection(std::make_unique<Connection>()) {
    // A connection of its own, as another program would have.
    Display* own = XOpenDisplay(nullptr);
    if (own == nullptr)
        throw std::runtime_error("cannot open the X display for a pattern window");
    m_connection->display = own;
    const Window parent = DefaultRootWindow(own);
    m_window = XCreateSimpleWindow(own, parent, geometry.x(), geometry.y(),
                                   static_cast<unsigned>(geometry.width()),
                                   static_cast<unsigned>(geometry.height()), 0, 0, backgroundRgb);
    for (const Fill& fill : fills) {
        const Window part = XCreateSimpleWindow(
            own, m_window, fill.rect.x(), fill.rect.y(), static_cast<unsigned>(fill.rect.width()),
            static_cast<unsigned>(fill.rect.height()), 0, 0, fill.rgb);
        XMapWindow(own, part);
    }
    XStoreName(own, m_window, title.c_str());
    std::string instance = title, className = "VantorPattern";
    XClassHint hint{instance.data(), className.data()};
    XSetClassHint(own, m_window, &hint);
    const long pid = getpid();
    XChangeProperty(own, m_window, XInternAtom(own, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
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
    const Window window = m_window;
    if (!waitFor([own, window] {
            XWindowAttributes attributes{};
            return XGetWindowAttributes(own, window, &attributes) != 0 &&
                   attributes.map_state == IsViewable;
        }))
        throw std::runtime_error("the pattern window did not appear");
}

PatternWindow::~PatternWindow() {
    XDestroyWindow(m_connection->display, m_window);
    XCloseDisplay(m_connection->display);
}

} // namespace vantor::desk
