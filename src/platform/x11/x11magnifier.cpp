#include "platform/x11/x11magnifier.h"

// Xlib defines macros (Bool, Status, None) that clash with Qt; it comes after every Qt header.
#include "platform/x11/x11screengrab.h"
#include "platform/x11/xerrortrap.h"

#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <xcb/xcb.h>

#include <X11/extensions/Xdamage.h>
#include <X11/extensions/Xrender.h>
#include <X11/Xutil.h>

#include <cstdlib>

namespace vantor {

namespace {

// A DAMAGE report as it comes from the server.
struct DamageNotifyWire {
    quint8 type, level;
    quint16 sequence;
    quint32 drawable, damage, timestamp;
    qint16 x, y;
    quint16 width, height;
    qint16 geometryX, geometryY;
    quint16 geometryWidth, geometryHeight;
};
static_assert(sizeof(DamageNotifyWire) == 32);

XRenderColor renderColor(QRgb rgb) {
    const auto channel = [](int value) { return static_cast<unsigned short>(value * 0x101); };
    return {channel(qRed(rgb)), channel(qGreen(rgb)), channel(qBlue(rgb)), 0xffff};
}

class X11Magnifier final : public ScreenMagnifier {
public:
    X11Magnifier(Display* display, Window window, const XWindowAttributes& attributes,
                 int damageEvent, QRgb frame);
    ~X11Magnifier() override;

    QPoint pointer() override;
    bool show(const QRect& source, int factor, bool forced) override;
    QImage lastSource() override;

private:
    bool screenChangedUnder(const QRect& area);
    void copySource(const QRect& source);
    void stretchInto(QSize size, int factor);

    // A connection of its own: the damage reports come to it and to nothing else.
    Display* m_display;
    // Its requests and replies: the pointer's answer is read without a second look for events.
    xcb_connection_t* m_connection;
    Window m_window;
    XRenderColor m_frame;
    int m_damageEvent;
    Damage m_damage;
    Picture m_windowPicture;
    GC m_gc;
    Pixmap m_copy = 0;
    Picture m_copyPicture = 0;
    QSize m_copySize;
    QRect m_source;
    int m_factor = 0;
    int m_transformFactor = 0;
};

X11Magnifier::X11Magnifier(Display* display, Window window, const XWindowAttributes& attributes,
                           int damageEvent, QRgb frame)
    : m_display(display), m_connection(XGetXCBConnection(display)), m_window(window),
      m_frame(renderColor(frame)), m_damageEvent(damageEvent) {
    const Window root = DefaultRootWindow(m_display);
    // Every change of what the screen shows, one report per rectangle, not only the first.
    m_damage = XDamageCreate(m_display, root, XDamageReportRawRectangles);
    m_windowPicture = XRenderCreatePicture(
        m_display, m_window, XRenderFindVisualFormat(m_display, attributes.visual), 0, nullptr);
    XGCValues values = {};
    values.subwindow_mode = IncludeInferiors;
    values.foreground = BlackPixel(m_display, DefaultScreen(m_display));
    m_gc = XCreateGC(m_display, root, GCSubwindowMode | GCForeground, &values);
}

X11Magnifier::~X11Magnifier() {
    {
        // The window may be gone already; what it held goes with the connection anyway.
        XErrorTrap trap(m_display);
        if (m_copyPicture != 0)
            XRenderFreePicture(m_display, m_copyPicture);
        if (m_copy != 0)
            XFreePixmap(m_display, m_copy);
        XRenderFreePicture(m_display, m_windowPicture);
        XFreeGC(m_display, m_gc);
        XDamageDestroy(m_display, m_damage);
    }
    XCloseDisplay(m_display);
}

bool X11Magnifier::screenChangedUnder(const QRect& area) {
    bool changed = false;
    // What came before the pointer's answer came with it; the rest is for the next look. No one
    // else reads this connection's events.
    while (xcb_generic_event_t* event = xcb_poll_for_queued_event(m_connection)) {
        if ((event->response_type & 0x7f) == m_damageEvent + XDamageNotify) {
            const auto* report = reinterpret_cast<const DamageNotifyWire*>(event);
            changed = changed ||
                      area.intersects(QRect(report->x, report->y, report->width, report->height));
        }
        std::free(event);
    }
    return changed;
}

void X11Magnifier::copySource(const QRect& source) {
    if (source.size() != m_copySize) {
        if (m_copyPicture != 0)
            XRenderFreePicture(m_display, m_copyPicture);
        if (m_copy != 0)
            XFreePixmap(m_display, m_copy);
        const int screen = DefaultScreen(m_display);
        m_copy =
            XCreatePixmap(m_display, DefaultRootWindow(m_display), unsigned(source.width()),
                          unsigned(source.height()), unsigned(DefaultDepth(m_display, screen)));
        m_copyPicture = XRenderCreatePicture(
            m_display, m_copy, XRenderFindVisualFormat(m_display, DefaultVisual(m_display, screen)),
            0, nullptr);
        // Each pixel a block, never a blend of its neighbours.
        XRenderSetPictureFilter(m_display, m_copyPicture, FilterNearest, nullptr, 0);
        m_copySize = source.size();
        m_transformFactor = 0;
    }
    const int screen = DefaultScreen(m_display);
    const QRect screenRect(0, 0, DisplayWidth(m_display, screen), DisplayHeight(m_display, screen));
    // Beyond the screen's edge the lens shows black.
    if (!screenRect.contains(source))
        XFillRectangle(m_display, m_copy, m_gc, 0, 0, unsigned(source.width()),
                       unsigned(source.height()));
    XCopyArea(m_display, DefaultRootWindow(m_display), m_copy, m_gc, source.x(), source.y(),
              unsigned(source.width()), unsigned(source.height()), 0, 0);
}

void X11Magnifier::stretchInto(QSize size, int factor) {
    if (factor != m_transformFactor) {
        // 1 / factor in fixed point is off by at most 2^-17, which moves no block edge: a pixel's
        // centre lies 1 / (2 * factor) or more from one, which at 20x it would take a lens over
        // 3000 pixels wide to cross.
        // The projective way (dividing by the factor) would be exact and many times slower.
        XTransform transform = {{{XDoubleToFixed(1.0 / factor), 0, 0},
                                 {0, XDoubleToFixed(1.0 / factor), 0},
                                 {0, 0, XDoubleToFixed(1)}}};
        XRenderSetPictureTransform(m_display, m_copyPicture, &transform);
        m_transformFactor = factor;
    }
    const unsigned width = unsigned(size.width() * factor);
    const unsigned height = unsigned(size.height() * factor);
    XRenderComposite(m_display, PictOpSrc, m_copyPicture, 0, m_windowPicture, 0, 0, 0, 0, 0, 0,
                     width, height);
    const XRectangle frame[] = {
        {0, 0, static_cast<unsigned short>(width), 1},
        {0, static_cast<short>(height - 1), static_cast<unsigned short>(width), 1},
        {0, 0, 1, static_cast<unsigned short>(height)},
        {static_cast<short>(width - 1), 0, 1, static_cast<unsigned short>(height)}};
    XRenderFillRectangles(m_display, PictOpSrc, m_windowPicture, &m_frame, frame, 4);
}

QPoint X11Magnifier::pointer() {
    xcb_query_pointer_reply_t* reply = xcb_query_pointer_reply(
        m_connection, xcb_query_pointer(m_connection, DefaultRootWindow(m_display)), nullptr);
    if (reply == nullptr)
        return {};
    const QPoint at(reply->root_x, reply->root_y);
    std::free(reply);
    return at;
}

bool X11Magnifier::show(const QRect& source, int factor, bool forced) {
    const bool changed = screenChangedUnder(m_source);
    if (source.isEmpty() || factor < 1 ||
        (!forced && !changed && source == m_source && factor == m_factor))
        return false;
    copySource(source);
    stretchInto(source.size(), factor);
    // Reported is enough: the server need not keep adding up what changed. Sent with the drawing,
    // not on its own.
    XDamageSubtract(m_display, m_damage, 0, 0);
    XFlush(m_display);
    m_source = source;
    m_factor = factor;
    return true;
}

QImage X11Magnifier::lastSource() {
    if (m_copy == 0)
        return {};
    XErrorTrap trap(m_display);
    XImage* image = XGetImage(m_display, m_copy, 0, 0, unsigned(m_copySize.width()),
                              unsigned(m_copySize.height()), AllPlanes, ZPixmap);
    if (image == nullptr)
        return {};
    QImage picture = pictureOf(image);
    XDestroyImage(image);
    return picture;
}

} // namespace

std::unique_ptr<ScreenMagnifier> createX11Magnifier(unsigned long window, QRgb frame) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return nullptr;
    int renderEvent = 0, renderError = 0, damageEvent = 0, damageError = 0;
    XWindowAttributes attributes = {};
    bool usable = XRenderQueryExtension(display, &renderEvent, &renderError) &&
                  XDamageQueryExtension(display, &damageEvent, &damageError);
    if (usable) {
        XErrorTrap trap(display);
        usable = XGetWindowAttributes(display, window, &attributes) && !trap.failed() &&
                 XRenderFindVisualFormat(display, attributes.visual) != nullptr;
    }
    if (!usable) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::make_unique<X11Magnifier>(display, window, attributes, damageEvent, frame);
}

} // namespace vantor
