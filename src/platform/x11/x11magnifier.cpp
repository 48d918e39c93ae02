#include "platform/x11/x11magnifier.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>

#include <xcb/damage.h>
#include <xcb/render.h>
#include <xcb/xcb.h>
#include <xcb/xcb_renderutil.h>
#include <xcb/xinput.h>

#include <cstdlib>
#include <cstring>
#include <utility>

namespace vantor {

namespace {

xcb_render_color_t renderColor(QRgb rgb) {
    const auto channel = [](int value) { return static_cast<uint16_t>(value * 0x101); };
    return {channel(qRed(rgb)), channel(qGreen(rgb)), channel(qBlue(rgb)), 0xffff};
}

// 16.16 fixed point, rounded to the nearest.
xcb_render_fixed_t fixed(double value) {
    return static_cast<xcb_render_fixed_t>(value * 65536.0 + 0.5);
}

// The picture format the server draws a visual with; 0 when it has none.
xcb_render_pictformat_t formatOf(xcb_connection_t* connection, xcb_visualid_t visual) {
    const xcb_render_query_pict_formats_reply_t* formats =
        xcb_render_util_query_formats(connection);
    if (formats == nullptr)
        return 0;
    const xcb_render_pictvisual_t* found = xcb_render_util_find_visual_format(formats, visual);
    return found != nullptr ? found->format : 0;
}

// On a connection of its own, through xcb alone: the damage reports come to it and to nothing
// else, and a frame costs one question (the pointer) and one write (the drawing).
class X11Magnifier final : public ScreenMagnifier {
public:
    X11Magnifier(xcb_connection_t* connection, const xcb_screen_t& screen, xcb_window_t window,
                 xcb_render_pictformat_t windowFormat, xcb_render_pictformat_t screenFormat,
                 QRgb frame);
    ~X11Magnifier() override;

    QPoint pointer() override;
    bool show(const QRect& source, int factor, bool forced) override;
    QImage lastSource() override;
    QRgb sourcePixel(QPoint at) override;
    void setOverlay(const QList<QRect>& lines, const QImage& strip) override;
    bool watch(std::function<void()> changed) override;

private:
    void drawLines();
    void drawStrip();

    // Takes in the events come so far, from the socket too or only those queued already: the
    // damage inside the source last shown, the pointer's moves. Whether any asks for a showing.
    bool readEvents(bool fromSocket);
    void copySource(const QRect& source);
    void stretchInto(QSize size, int factor, bool withFrame);

    xcb_connection_t* m_connection;
    xcb_window_t m_root;
    uint8_t m_rootDepth;
    QRect m_screen;
    xcb_render_pictformat_t m_screenFormat;
    xcb_render_color_t m_frame;
    uint8_t m_damageEvent;
    xcb_damage_damage_t m_damage;
    xcb_render_picture_t m_windowPicture;
    xcb_gcontext_t m_gc;
    xcb_pixmap_t m_copy = 0;
    xcb_render_picture_t m_copyPicture = 0;
    QSize m_copySize;
    QRect m_source;
    int m_factor = 0;
    int m_transformFactor = 0;
    xcb_window_t m_window;
    uint8_t m_windowDepth = 0;
    // For the window's own depth, which may not be the screen's.
    xcb_gcontext_t m_windowGc = 0;
    QList<xcb_rectangle_t> m_lines;
    QImage m_strip;
    bool m_stripDrawn = false;
    bool m_changedUnder = false;
    uint8_t m_inputOpcode = 0;
    std::function<void()> m_changed;
    std::unique_ptr<QSocketNotifier> m_socket;
};

X11Magnifier::X11Magnifier(xcb_connection_t* connection, const xcb_screen_t& screen,
                           xcb_window_t window, xcb_render_pictformat_t windowFormat,
                           xcb_render_pictformat_t screenFormat, QRgb frame)
    : m_connection(connection), m_root(screen.root), m_rootDepth(screen.root_depth),
      m_screen(0, 0, screen.width_in_pixels, screen.height_in_pixels), m_screenFormat(screenFormat),
      m_frame(renderColor(frame)),
      m_damageEvent(xcb_get_extension_data(connection, &xcb_damage_id)->first_event),
      m_window(window) {
    if (xcb_get_geometry_reply_t* geometry =
            xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr)) {
        m_windowDepth = geometry->depth;
        std::free(geometry);
        m_windowGc = xcb_generate_id(m_connection);
        xcb_create_gc(m_connection, m_windowGc, window, 0, nullptr);
    }
    // Every change of what the screen shows, one report per rectangle, not only the first.
    m_damage = xcb_generate_id(m_connection);
    xcb_damage_create(m_connection, m_damage, m_root, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    m_windowPicture = xcb_generate_id(m_connection);
    xcb_render_create_picture(m_connection, m_windowPicture, window, windowFormat, 0, nullptr);
    m_gc = xcb_generate_id(m_connection);
    const uint32_t values[] = {screen.black_pixel, XCB_SUBWINDOW_MODE_INCLUDE_INFERIORS};
    xcb_create_gc(m_connection, m_gc, m_root, XCB_GC_FOREGROUND | XCB_GC_SUBWINDOW_MODE, values);
}

X11Magnifier::~X11Magnifier() {
    // Not to be read after the connection has gone.
    m_socket.reset();
    // What it made goes with the connection; the window may be gone already.
    xcb_disconnect(m_connection);
}

bool X11Magnifier::readEvents(bool fromSocket) {
    bool wake = false;
    // Errors of requests for a window that went away come here too, and mean nothing more.
    while (xcb_generic_event_t* event = fromSocket ? xcb_poll_for_event(m_connection)
                                                   : xcb_poll_for_queued_event(m_connection)) {
        const uint8_t type = event->response_type & 0x7f;
        if (type == m_damageEvent + XCB_DAMAGE_NOTIFY) {
            const xcb_rectangle_t& r =
                reinterpret_cast<const xcb_damage_notify_event_t*>(event)->area;
            if (m_source.intersects(QRect(r.x, r.y, r.width, r.height))) {
                m_changedUnder = true;
                wake = true;
            }
        } else if (type == XCB_GE_GENERIC && m_inputOpcode != 0 &&
                   reinterpret_cast<const xcb_ge_generic_event_t*>(event)->extension ==
                       m_inputOpcode) {
            wake = true;
        }
        std::free(event);
    }
    return wake;
}

bool X11Magnifier::watch(std::function<void()> changed) {
    const xcb_query_extension_reply_t* input = xcb_get_extension_data(m_connection, &xcb_input_id);
    if (input == nullptr || !input->present || QAbstractEventDispatcher::instance() == nullptr)
        return false;
    // Raw motion comes whatever grab another program holds from 2.1 on, and the server sends
    // none to a client that has not said which version it speaks.
    xcb_input_xi_query_version_reply_t* version = xcb_input_xi_query_version_reply(
        m_connection, xcb_input_xi_query_version(m_connection, 2, 2), nullptr);
    const bool raw =
        version != nullptr && (version->major_version > 2 ||
                               (version->major_version == 2 && version->minor_version >= 1));
    std::free(version);
    if (!raw)
        return false;
    m_inputOpcode = input->major_opcode;
    m_changed = std::move(changed);
    struct {
        xcb_input_event_mask_t head;
        uint32_t bits;
    } motion = {{XCB_INPUT_DEVICE_ALL_MASTER, 1}, XCB_INPUT_XI_EVENT_MASK_RAW_MOTION};
    xcb_input_xi_select_events(m_connection, m_root, 1, &motion.head);
    xcb_flush(m_connection);
    m_socket = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_connection),
                                                 QSocketNotifier::Read);
    QObject::connect(m_socket.get(), &QSocketNotifier::activated, m_socket.get(), [this] {
        if (readEvents(true))
            m_changed();
    });
    // Events that came in with the answer to a question wait in xcb's queue, where the socket no
    // longer shows them: they are read before the program next sleeps.
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     m_socket.get(), [this] {
                         if (readEvents(false))
                             m_changed();
                     });
    return true;
}

void X11Magnifier::copySource(const QRect& source) {
    if (source.size() != m_copySize) {
        if (m_copy != 0) {
            xcb_render_free_picture(m_connection, m_copyPicture);
            xcb_free_pixmap(m_connection, m_copy);
        }
        m_copy = xcb_generate_id(m_connection);
        xcb_create_pixmap(m_connection, m_rootDepth, m_copy, m_root, uint16_t(source.width()),
                          uint16_t(source.height()));
        m_copyPicture = xcb_generate_id(m_connection);
        xcb_render_create_picture(m_connection, m_copyPicture, m_copy, m_screenFormat, 0, nullptr);
        // Each pixel a block, never a blend of its neighbours.
        static constexpr char Nearest[] = "nearest";
        xcb_render_set_picture_filter(m_connection, m_copyPicture, sizeof Nearest - 1, Nearest, 0,
                                      nullptr);
        m_copySize = source.size();
        m_transformFactor = 0;
    }
    const auto width = uint16_t(source.width());
    const auto height = uint16_t(source.height());
    // Beyond the screen's edge the lens shows black.
    if (!m_screen.contains(source)) {
        const xcb_rectangle_t all = {0, 0, width, height};
        xcb_poly_fill_rectangle(m_connection, m_copy, m_gc, 1, &all);
    }
    xcb_copy_area(m_connection, m_root, m_copy, m_gc, int16_t(source.x()), int16_t(source.y()), 0,
                  0, width, height);
}

void X11Magnifier::stretchInto(QSize size, int factor, bool withFrame) {
    if (factor != m_transformFactor) {
        // 1 / factor in fixed point is off by at most 2^-17, which moves no block edge: a pixel's
        // centre lies 1 / (2 * factor) or more from one, which at 20x it would take a lens over
        // 3000 pixels wide to cross. The projective way (dividing by the factor) would be exact
        // and many times slower.
        const xcb_render_transform_t transform = {
            fixed(1.0 / factor), 0, 0, 0, fixed(1.0 / factor), 0, 0, 0, fixed(1)};
        xcb_render_set_picture_transform(m_connection, m_copyPicture, transform);
        m_transformFactor = factor;
    }
    const auto width = uint16_t(size.width() * factor);
    const auto height = uint16_t(size.height() * factor);
    // Inside the frame only: the frame stays as drawn until the window is shown again or resized.
    // Above the strip too, which stays as drawn until it changes.
    const int stripRows = m_strip.isNull() ? 0 : m_strip.height();
    xcb_render_composite(m_connection, XCB_RENDER_PICT_OP_SRC, m_copyPicture,
                         XCB_RENDER_PICTURE_NONE, m_windowPicture, 1, 1, 0, 0, 1, 1,
                         uint16_t(width - 2), uint16_t(qMax(height - 2 - stripRows, 0)));
    if (!withFrame)
        return;
    const xcb_rectangle_t frame[] = {{0, 0, width, 1},
                                     {0, int16_t(height - 1), width, 1},
                                     {0, 0, 1, height},
                                     {int16_t(width - 1), 0, 1, height}};
    xcb_render_fill_rectangles(m_connection, XCB_RENDER_PICT_OP_SRC, m_windowPicture, m_frame, 4,
                               frame);
}

QPoint X11Magnifier::pointer() {
    xcb_query_pointer_reply_t* reply =
        xcb_query_pointer_reply(m_connection, xcb_query_pointer(m_connection, m_root), nullptr);
    if (reply == nullptr)
        return {};
    const QPoint at(reply->root_x, reply->root_y);
    std::free(reply);
    return at;
}

bool X11Magnifier::show(const QRect& source, int factor, bool forced) {
    readEvents(false);
    const bool changed = std::exchange(m_changedUnder, false);
    if (source.isEmpty() || factor < 1 ||
        (!forced && !changed && source == m_source && factor == m_factor))
        return false;
    copySource(source);
    stretchInto(source.size(), factor, forced || factor != m_factor);
    drawLines();
    if (forced || factor != m_factor || !m_stripDrawn)
        drawStrip();
    // Reported is enough: the server need not keep adding up what changed. Sent with the drawing,
    // not on its own.
    xcb_damage_subtract(m_connection, m_damage, XCB_NONE, XCB_NONE);
    xcb_flush(m_connection);
    m_source = source;
    m_factor = factor;
    return true;
}

void X11Magnifier::setOverlay(const QList<QRect>& lines, const QImage& strip) {
    m_lines.clear();
    for (const QRect& line : lines)
        m_lines.append({int16_t(line.x()), int16_t(line.y()), uint16_t(line.width()),
                        uint16_t(line.height())});
    m_strip = strip.convertToFormat(QImage::Format_RGB32);
    m_stripDrawn = false;
    // A new reading shows at once, not with the next change under the lens.
    if (m_factor != 0) {
        drawStrip();
        xcb_flush(m_connection);
    }
}

void X11Magnifier::drawLines() {
    if (m_lines.isEmpty())
        return;
    // Dark and partly see-through: it parts light blocks and dark ones alike.
    const xcb_render_color_t line = {0, 0, 0, 0x5000};
    xcb_render_fill_rectangles(m_connection, XCB_RENDER_PICT_OP_OVER, m_windowPicture, line,
                               uint32_t(m_lines.size()), m_lines.constData());
}

void X11Magnifier::drawStrip() {
    if (m_strip.isNull() || m_windowDepth == 0)
        return;
    // Rows of 32-bit pixels, blue first, as a 24- or 32-bit window keeps them.
    const int top = m_factor == 0 ? 0 : m_copySize.height() * m_factor - m_strip.height() - 1;
    xcb_put_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_window, m_windowGc,
                  uint16_t(m_strip.width()), uint16_t(m_strip.height()), 1, int16_t(top), 0,
                  m_windowDepth, uint32_t(m_strip.sizeInBytes()), m_strip.constBits());
    m_stripDrawn = true;
}

QRgb X11Magnifier::sourcePixel(QPoint at) {
    if (m_copy == 0 || !QRect(QPoint(0, 0), m_copySize).contains(at))
        return 0xff000000u;
    xcb_get_image_reply_t* reply =
        xcb_get_image_reply(m_connection,
                            xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_copy,
                                          int16_t(at.x()), int16_t(at.y()), 1, 1, ~0u),
                            nullptr);
    QRgb colour = 0xff000000u;
    if (reply != nullptr && xcb_get_image_data_length(reply) == 4) {
        std::memcpy(&colour, xcb_get_image_data(reply), 4);
        colour |= 0xff000000u;
    }
    std::free(reply);
    return colour;
}

QImage X11Magnifier::lastSource() {
    if (m_copy == 0)
        return {};
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        m_connection,
        xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_copy, 0, 0,
                      uint16_t(m_copySize.width()), uint16_t(m_copySize.height()), ~0u),
        nullptr);
    if (reply == nullptr)
        return {};
    QImage picture(m_copySize, QImage::Format_RGB32);
    const int rowBytes = m_copySize.width() * 4;
    // A 24-bit screen keeps its pixels in 32 bits, blue first, as Format_RGB32 does; the unused
    // byte is made opaque, as that format needs.
    if (xcb_get_image_data_length(reply) == rowBytes * m_copySize.height()) {
        const uint8_t* data = xcb_get_image_data(reply);
        for (int y = 0; y < m_copySize.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
            std::memcpy(row, data + qsizetype(y) * rowBytes, size_t(rowBytes));
            for (int x = 0; x < m_copySize.width(); ++x)
                row[x] |= 0xff000000u;
        }
    } else {
        picture = QImage();
    }
    std::free(reply);
    return picture;
}

} // namespace

std::unique_ptr<ScreenMagnifier> createX11Magnifier(unsigned long window, QRgb frame) {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return nullptr;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    const xcb_query_extension_reply_t* render = xcb_get_extension_data(connection, &xcb_render_id);
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection, &xcb_damage_id);
    xcb_render_pictformat_t windowFormat = 0;
    xcb_render_pictformat_t screenFormat = 0;
    if (screens.rem > 0 && render != nullptr && render->present && damage != nullptr &&
        damage->present) {
        std::free(xcb_damage_query_version_reply(connection,
                                                 xcb_damage_query_version(connection,
                                                                          XCB_DAMAGE_MAJOR_VERSION,
                                                                          XCB_DAMAGE_MINOR_VERSION),
                                                 nullptr));
        if (xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
                connection, xcb_get_window_attributes(connection, xcb_window_t(window)), nullptr)) {
            windowFormat = formatOf(connection, attributes->visual);
            std::free(attributes);
        }
        screenFormat = formatOf(connection, screens.data->root_visual);
    }
    if (windowFormat == 0 || screenFormat == 0) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::make_unique<X11Magnifier>(connection, *screens.data, xcb_window_t(window),
                                          windowFormat, screenFormat, frame);
}

} // namespace vantor
