#include "platform/wayland/screencopy.h"

#include "screencopy-client.h"

#include <QPainter>
#include <QSocketNotifier>

#include <algorithm>
#include <functional>
#include <string_view>
#include <vector>

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace vantor {

namespace {

// A frame the compositor does not finish in this time is not coming.
constexpr int FrameWaitMs = 1000;
constexpr std::size_t KeptBufferBytes = 1024 * 1024;

struct Output {
    wl_output* output = nullptr;
    QPoint position;
    QSize pixels;
    int scale = 1;

    QRect logical() const { return QRect(position, pixels / scale); }
};

// What one frame told: its buffer, then ready or failed.
struct Frame {
    std::uint32_t format = 0;
    QSize size;
    int stride = 0;
    bool described = false;
    bool flipped = false;
    bool done = false;
    bool ready = false;

    // Only the two 32-bit formats the compositors render to match the program's pictures.
    bool copyable() const {
        return described && !done &&
               (format == WL_SHM_FORMAT_XRGB8888 || format == WL_SHM_FORMAT_ARGB8888);
    }
};

// A shared-memory buffer the compositor copies into, kept while frames keep its shape.
struct SharedBuffer {
    wl_buffer* buffer = nullptr;
    uchar* pixels = nullptr;
    std::size_t bytes = 0;
    std::uint32_t format = 0;
    QSize size;
    int stride = 0;

    void release() {
        if (buffer != nullptr)
            wl_buffer_destroy(buffer);
        if (pixels != nullptr)
            munmap(pixels, bytes);
        *this = {};
    }
};

// The frame's pixels in the buffer the compositor copied them into, upright.
QImage pictureIn(const SharedBuffer& buffer, const Frame& frame) {
    const QImage shared(buffer.pixels, frame.size.width(), frame.size.height(), frame.stride,
                        QImage::Format_RGB32);
    return frame.flipped ? shared.mirrored(false, true) : shared;
}

// The lens's area, copied again each time the compositor draws something new inside it.
struct LiveArea {
    QRect area;
    // Its part on the output it is copied from.
    QRect inside;
    const Output* output = nullptr;
    QImage latest;
    zwlr_screencopy_frame_v1* watch = nullptr;
    Frame frame;
    bool copyAsked = false;
    SharedBuffer buffer;
};

class WlrScreencopy final : public Screencopy {
public:
    WlrScreencopy() = default;
    ~WlrScreencopy() override;
    WlrScreencopy(const WlrScreencopy&) = delete;
    WlrScreencopy& operator=(const WlrScreencopy&) = delete;

    bool open();
    QImage copy(const QRect& area) override;
    QImage live(const QRect& area) override;

private:
    static const wl_registry_listener RegistryListener;
    static const wl_output_listener OutputListener;
    static const zwlr_screencopy_frame_v1_listener FrameListener;

    bool waitFor(const std::function<bool()>& condition);
    bool bufferFor(SharedBuffer& buffer, const Frame& frame);
    // Copies inside, which lies on source, to its place in into; false when the compositor
    // gave no copy.
    bool copyPart(const Output& source, const QRect& inside, QPainter& into);

    // Reads what the compositor sent, if anything, and lets the live area's frame go on.
    void takeEvents();
    void watchLiveArea();
    void advanceLiveArea();
    void dropLiveWatch();

    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    wl_shm* m_shm = nullptr;
    zwlr_screencopy_manager_v1* m_manager = nullptr;
    std::uint32_t m_managerVersion = 1;
    std::vector<std::unique_ptr<Output>> m_outputs;
    SharedBuffer m_buffer;
    LiveArea m_live;
    std::unique_ptr<QSocketNotifier> m_events;
};

const wl_registry_listener WlrScreencopy::RegistryListener = {
    [](void* data, wl_registry* registry, std::uint32_t name, const char* interface,
       std::uint32_t version) {
        auto* self = static_cast<WlrScreencopy*>(data);
        const std::string_view offered(interface);
        if (offered == wl_shm_interface.name) {
            self->m_shm =
                static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
        } else if (offered == zwlr_screencopy_manager_v1_interface.name) {
            // Version 2 brings the copy once something is drawn anew.
            self->m_managerVersion = std::min<std::uint32_t>(version, 2);
            self->m_manager = static_cast<zwlr_screencopy_manager_v1*>(wl_registry_bind(
                registry, name, &zwlr_screencopy_manager_v1_interface, self->m_managerVersion));
        } else if (offered == wl_output_interface.name) {
            auto output = std::make_unique<Output>();
            output->output =
                static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, 2));
            wl_output_add_listener(output->output, &OutputListener, output.get());
            self->m_outputs.push_back(std::move(output));
        }
    },
    [](void*, wl_registry*, std::uint32_t) {},
};

const wl_output_listener WlrScreencopy::OutputListener = {
    [](void* data, wl_output*, std::int32_t x, std::int32_t y, std::int32_t, std::int32_t,
       std::int32_t, const char*, const char*,
       std::int32_t) { static_cast<Output*>(data)->position = QPoint(x, y); },
    [](void* data, wl_output*, std::uint32_t flags, std::int32_t width, std::int32_t height,
       std::int32_t) {
        if ((flags & WL_OUTPUT_MODE_CURRENT) != 0)
            static_cast<Output*>(data)->pixels = QSize(width, height);
    },
    [](void*, wl_output*) {},
    [](void* data, wl_output*, std::int32_t factor) {
        static_cast<Output*>(data)->scale = factor > 0 ? factor : 1;
    },
    // Names come at version 4 only; the outputs are bound at 2.
    [](void*, wl_output*, const char*) {},
    [](void*, wl_output*, const char*) {},
};

const zwlr_screencopy_frame_v1_listener WlrScreencopy::FrameListener = {
    [](void* data, zwlr_screencopy_frame_v1*, std::uint32_t format, std::uint32_t width,
       std::uint32_t height, std::uint32_t stride) {
        auto* frame = static_cast<Frame*>(data);
        frame->format = format;
        frame->size = QSize(int(width), int(height));
        frame->stride = int(stride);
        frame->described = true;
    },
    [](void* data, zwlr_screencopy_frame_v1*, std::uint32_t flags) {
        static_cast<Frame*>(data)->flipped = (flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT) != 0;
    },
    [](void* data, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t) {
        auto* frame = static_cast<Frame*>(data);
        frame->done = frame->ready = true;
    },
    [](void* data, zwlr_screencopy_frame_v1*) { static_cast<Frame*>(data)->done = true; },
    // Where the new drawing lies: the whole area is copied all the same.
    [](void*, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t,
       std::uint32_t) {},
};

WlrScreencopy::~WlrScreencopy() {
    m_events.reset();
    dropLiveWatch();
    m_live.buffer.release();
    m_buffer.release();
    for (const auto& output : m_outputs)
        wl_output_destroy(output->output);
    if (m_manager != nullptr)
        zwlr_screencopy_manager_v1_destroy(m_manager);
    if (m_shm != nullptr)
        wl_shm_destroy(m_shm);
    if (m_registry != nullptr)
        wl_registry_destroy(m_registry);
    if (m_display != nullptr)
        wl_display_disconnect(m_display);
}

bool WlrScreencopy::open() {
    m_display = wl_display_connect(nullptr);
    if (m_display == nullptr)
        return false;
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &RegistryListener, this);
    // The globals, then the outputs' places and sizes.
    wl_display_roundtrip(m_display);
    wl_display_roundtrip(m_display);
    if (m_shm == nullptr || m_manager == nullptr || m_outputs.empty())
        return false;
    // The live area's frames finish while the program does other things.
    m_events =
        std::make_unique<QSocketNotifier>(wl_display_get_fd(m_display), QSocketNotifier::Read);
    QObject::connect(m_events.get(), &QSocketNotifier::activated, [this] { takeEvents(); });
    return true;
}

void WlrScreencopy::takeEvents() {
    if (wl_display_prepare_read(m_display) == 0) {
        pollfd ready = {wl_display_get_fd(m_display), POLLIN, 0};
        if (poll(&ready, 1, 0) > 0)
            wl_display_read_events(m_display);
        else
            wl_display_cancel_read(m_display);
    }
    wl_display_dispatch_pending(m_display);
    // A compositor that has gone keeps the socket readable for ever.
    if (wl_display_get_error(m_display) != 0) {
        m_events->setEnabled(false);
        return;
    }
    advanceLiveArea();
    wl_display_flush(m_display);
}

void WlrScreencopy::watchLiveArea() {
    m_live.frame = {};
    m_live.copyAsked = false;
    m_live.watch = zwlr_screencopy_manager_v1_capture_output_region(
        m_manager, 0, m_live.output->output, m_live.inside.x() - m_live.output->position.x(),
        m_live.inside.y() - m_live.output->position.y(), m_live.inside.width(),
        m_live.inside.height());
    zwlr_screencopy_frame_v1_add_listener(m_live.watch, &FrameListener, &m_live.frame);
    wl_display_flush(m_display);
}

void WlrScreencopy::advanceLiveArea() {
    if (m_live.watch == nullptr)
        return;
    if (!m_live.copyAsked && m_live.frame.copyable() && bufferFor(m_live.buffer, m_live.frame)) {
        zwlr_screencopy_frame_v1_copy_with_damage(m_live.watch, m_live.buffer.buffer);
        m_live.copyAsked = true;
    }
    if (!m_live.frame.done)
        return;
    if (m_live.frame.ready) {
        QPainter painter(&m_live.latest);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(m_live.inside.translated(-m_live.area.topLeft()),
                          pictureIn(m_live.buffer, m_live.frame));
    }
    dropLiveWatch();
}

void WlrScreencopy::dropLiveWatch() {
    if (m_live.watch != nullptr)
        zwlr_screencopy_frame_v1_destroy(m_live.watch);
    m_live.watch = nullptr;
}

bool WlrScreencopy::waitFor(const std::function<bool()>& condition) {
    while (!condition()) {
        while (wl_display_prepare_read(m_display) != 0)
            wl_display_dispatch_pending(m_display);
        wl_display_flush(m_display);
        pollfd ready = {wl_display_get_fd(m_display), POLLIN, 0};
        if (poll(&ready, 1, FrameWaitMs) <= 0) {
            wl_display_cancel_read(m_display);
            return false;
        }
        if (wl_display_read_events(m_display) != 0 || wl_display_dispatch_pending(m_display) < 0)
            return false;
    }
    return true;
}

bool WlrScreencopy::bufferFor(SharedBuffer& buffer, const Frame& frame) {
    if (buffer.buffer != nullptr && buffer.format == frame.format && buffer.size == frame.size &&
        buffer.stride == frame.stride)
        return true;
    buffer.release();
    const std::size_t bytes = std::size_t(frame.stride) * std::size_t(frame.size.height());
    const int fd = memfd_create("vantor-screencopy", MFD_CLOEXEC);
    if (fd < 0)
        return false;
    void* pixels = MAP_FAILED;
    if (ftruncate(fd, off_t(bytes)) == 0)
        pixels = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (pixels == MAP_FAILED) {
        close(fd);
        return false;
    }
    wl_shm_pool* pool = wl_shm_create_pool(m_shm, fd, std::int32_t(bytes));
    buffer.buffer = wl_shm_pool_create_buffer(pool, 0, frame.size.width(), frame.size.height(),
                                              frame.stride, frame.format);
    wl_shm_pool_destroy(pool);
    close(fd);
    buffer.pixels = static_cast<uchar*>(pixels);
    buffer.bytes = bytes;
    buffer.format = frame.format;
    buffer.size = frame.size;
    buffer.stride = frame.stride;
    return true;
}

bool WlrScreencopy::copyPart(const Output& source, const QRect& inside, QPainter& into) {
    Frame frame;
    zwlr_screencopy_frame_v1* request = zwlr_screencopy_manager_v1_capture_output_region(
        m_manager, 0, source.output, inside.x() - source.position.x(),
        inside.y() - source.position.y(), inside.width(), inside.height());
    zwlr_screencopy_frame_v1_add_listener(request, &FrameListener, &frame);
    waitFor([&frame] { return frame.described || frame.done; });
    bool copied = false;
    if (frame.copyable() && bufferFor(m_buffer, frame)) {
        zwlr_screencopy_frame_v1_copy(request, m_buffer.buffer);
        if (waitFor([&frame] { return frame.done; }) && frame.ready) {
            into.drawImage(inside, pictureIn(m_buffer, frame));
            copied = true;
        }
    }
    zwlr_screencopy_frame_v1_destroy(request);
    wl_display_flush(m_display);
    // The lens's small buffer is kept for its next tick; a whole screen's is not kept idle.
    if (m_buffer.bytes > KeptBufferBytes)
        m_buffer.release();
    return copied;
}

QImage WlrScreencopy::copy(const QRect& area) {
    if (area.isEmpty())
        return {};
    QImage picture(area.size(), QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.translate(-area.topLeft());
    for (const auto& output : m_outputs) {
        const QRect inside = area & output->logical();
        if (!inside.isEmpty() && !copyPart(*output, inside, painter))
            return {};
    }
    return picture;
}

QImage WlrScreencopy::live(const QRect& area) {
    if (m_managerVersion < 2)
        return copy(area);
    advanceLiveArea();
    if (area != m_live.area || m_live.latest.isNull()) {
        dropLiveWatch();
        m_live.area = area;
        m_live.latest = copy(area);
        m_live.output = nullptr;
        for (const auto& output : m_outputs)
            if (output->logical().contains(area.center()))
                m_live.output = output.get();
        if (m_live.output == nullptr || m_live.latest.isNull())
            return m_live.latest;
        m_live.inside = area & m_live.output->logical();
    }
    // Asked for again only while a tool keeps asking: a closed lens leaves no copy going.
    if (m_live.watch == nullptr)
        watchLiveArea();
    return m_live.latest;
}

} // namespace

std::unique_ptr<Screencopy> Screencopy::connect() {
    auto screencopy = std::make_unique<WlrScreencopy>();
    if (!screencopy->open())
        return nullptr;
    return screencopy;
}

} // namespace vantor
