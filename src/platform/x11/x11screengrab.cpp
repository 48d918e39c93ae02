#include "platform/x11/x11screengrab.h"

#include "platform/x11/xerrortrap.h"

#include <X11/Xutil.h>

#include <sys/ipc.h>
#include <sys/shm.h>

#include <atomic>
#include <bit>
#include <cstring>
#include <new>

namespace vantor {

namespace {

int shiftOf(unsigned long mask) {
    return mask == 0 ? 0 : std::countr_zero(mask);
}

// One channel of a pixel scaled to 0..255, whatever the channel's width.
int channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0)
        return 0;
    const unsigned long max = mask >> shiftOf(mask);
    return static_cast<int>(((pixel & mask) >> shiftOf(mask)) * 255 / max);
}

// The layout of 24-bit colour on a 32-bit little- or big-endian host alike: one word a pixel.
bool isHostRgb32(const XImage* image) {
    const int hostOrder = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
    return image->bits_per_pixel == 32 && image->byte_order == hostOrder &&
           image->red_mask == 0xff0000 && image->green_mask == 0xff00 && image->blue_mask == 0xff;
}

// One row of host RGB32 pixels with the padding byte made opaque alpha. In blocks of eight through
// a local copy, which the compiler turns into vector instructions at -O2: a pixel at a time, the
// copy of a full screen takes four times as long.
void copyRow(const quint32* source, QRgb* target, int width) {
    constexpr int Block = 8;
    int x = 0;
    for (; x + Block <= width; x += Block) {
        quint32 block[Block];
        std::memcpy(block, source + x, sizeof block);
        for (quint32& pixel : block)
            pixel |= 0xff000000u;
        std::memcpy(target + x, block, sizeof block);
    }
    for (; x < width; ++x)
        target[x] = 0xff000000u | source[x];
}

// Copies image into result at offset; the padding byte of each pixel becomes opaque alpha.
void copyPixels(const XImage* image, QImage& result, QPoint offset) {
    if (isHostRgb32(image)) {
        for (int y = 0; y < image->height; ++y)
            copyRow(reinterpret_cast<const quint32*>(image->data +
                                                     qsizetype(y) * image->bytes_per_line),
                    reinterpret_cast<QRgb*>(result.scanLine(y + offset.y())) + offset.x(),
                    image->width);
        return;
    }
    auto* writable = const_cast<XImage*>(image);
    for (int y = 0; y < image->height; ++y) {
        auto* target = reinterpret_cast<QRgb*>(result.scanLine(y + offset.y())) + offset.x();
        for (int x = 0; x < image->width; ++x) {
            const unsigned long pixel = XGetPixel(writable, x, y);
            target[x] = qRgb(channel(pixel, image->red_mask), channel(pixel, image->green_mask),
                             channel(pixel, image->blue_mask));
        }
    }
}

// How long after the last copy its memory is kept for the next.
constexpr int KeepMilliseconds = 10000;

} // namespace

// A shared memory segment. A picture handed out over it keeps it mapped until its last copy
// goes, even past the grabber, and keeps the next copies out of it until then.
struct X11ScreenGrabber::Segment {
    XShmSegmentInfo info = {};
    size_t bytes = 0;
    // Given back from whichever thread drops the last copy of the picture.
    std::atomic<bool> inUse = false;

    Segment() = default;
    Segment(const Segment&) = delete;
    Segment& operator=(const Segment&) = delete;
    ~Segment() {
        if (info.shmaddr != nullptr)
            shmdt(info.shmaddr);
    }
};

X11ScreenGrabber::X11ScreenGrabber(Display* display) : m_display(display) {
    m_useShm = m_display != nullptr && XShmQueryExtension(m_display);
    m_giveBack.setSingleShot(true);
    m_giveBack.setInterval(KeepMilliseconds);
    QObject::connect(&m_giveBack, &QTimer::timeout, [this] { releaseSegment(); });
}

X11ScreenGrabber::~X11ScreenGrabber() {
    releaseSegment();
}

void X11ScreenGrabber::releaseSegment() {
    if (!m_segment)
        return;
    XShmDetach(m_display, &m_segment->info);
    XSync(m_display, False);
    m_segment.reset();
}

bool X11ScreenGrabber::reserveSegment(size_t bytes) {
    if (m_segment && bytes <= m_segment->bytes && !m_segment->inUse)
        return true;
    releaseSegment();
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0)
        return false;
    void* address = shmat(id, nullptr, 0);
    if (address == reinterpret_cast<void*>(-1)) {
        shmctl(id, IPC_RMID, nullptr);
        return false;
    }
    auto segment = std::make_shared<Segment>();
    segment->info.shmid = id;
    segment->info.shmaddr = static_cast<char*>(address);
    segment->info.readOnly = False;
    bool attached = false;
    {
        // A remote server cannot attach our memory; it answers with an error, not a crash.
        XErrorTrap trap(m_display);
        attached = XShmAttach(m_display, &segment->info) && !trap.failed();
    }
    // Marked for removal at once, so that the segment goes away with us however we end.
    shmctl(id, IPC_RMID, nullptr);
    if (!attached)
        return false;
    segment->bytes = bytes;
    m_segment = std::move(segment);
    return true;
}

XImage* X11ScreenGrabber::sharedImage(const QSize& size) {
    const int screen = DefaultScreen(m_display);
    XShmSegmentInfo none = {};
    XImage* image = XShmCreateImage(m_display, DefaultVisual(m_display, screen),
                                    static_cast<unsigned>(DefaultDepth(m_display, screen)), ZPixmap,
                                    nullptr, &none, static_cast<unsigned>(size.width()),
                                    static_cast<unsigned>(size.height()));
    if (image == nullptr)
        return nullptr;
    if (!reserveSegment(size_t(image->bytes_per_line) * size_t(image->height))) {
        XDestroyImage(image);
        m_useShm = false;
        return nullptr;
    }
    image->obdata = reinterpret_cast<char*>(&m_segment->info);
    image->data = m_segment->info.shmaddr;
    return image;
}

QRect X11ScreenGrabber::rootRect() const {
    if (m_display == nullptr)
        return {};
    // Asked afresh: the root window grows and shrinks with screens plugged in or rotated.
    Window root = 0;
    int x = 0, y = 0;
    unsigned int width = 0, height = 0, border = 0, depth = 0;
    if (!XGetGeometry(m_display, DefaultRootWindow(m_display), &root, &x, &y, &width, &height,
                      &border, &depth))
        return {};
    return QRect(0, 0, int(width), int(height));
}

XImage* X11ScreenGrabber::copySharedImage(const QRect& visible) {
    XImage* image = sharedImage(visible.size());
    if (image == nullptr)
        return nullptr;
    bool copied = false;
    {
        XErrorTrap trap(m_display);
        copied = XShmGetImage(m_display, DefaultRootWindow(m_display), image, visible.x(),
                              visible.y(), AllPlanes) &&
                 !trap.failed();
    }
    if (copied)
        return image;
    dropSharedImage(image);
    return nullptr;
}

void X11ScreenGrabber::dropSharedImage(XImage* image) {
    // The segment is the grabber's, not the image's.
    image->data = nullptr;
    image->obdata = nullptr;
    XDestroyImage(image);
}

bool X11ScreenGrabber::copyShared(const QRect& visible, QImage& result, QPoint offset) {
    XImage* image = copySharedImage(visible);
    if (image == nullptr)
        return false;
    copyPixels(image, result, offset);
    dropSharedImage(image);
    return true;
}

QImage X11ScreenGrabber::pictureOnSegment(const QRect& visible, Padding padding) {
    XImage* image = copySharedImage(visible);
    if (image == nullptr)
        return {};
    if (!isHostRgb32(image)) {
        QImage result(visible.size(), QImage::Format_RGB32);
        copyPixels(image, result, QPoint(0, 0));
        dropSharedImage(image);
        return result;
    }
    // In place, unless the picture is only saved: the padding byte of each pixel becomes opaque.
    for (int y = 0; padding == Padding::Opaque && y < image->height; ++y) {
        auto* row = reinterpret_cast<quint32*>(image->data + qsizetype(y) * image->bytes_per_line);
        copyRow(row, row, image->width);
    }
    m_segment->inUse = true;
    auto* holder = new std::shared_ptr<Segment>(m_segment);
    QImage picture(
        reinterpret_cast<uchar*>(image->data), image->width, image->height, image->bytes_per_line,
        QImage::Format_RGB32,
        [](void* info) {
            auto* segment = static_cast<std::shared_ptr<Segment>*>(info);
            (*segment)->inUse = false;
            delete segment;
        },
        holder);
    dropSharedImage(image);
    return picture;
}

bool X11ScreenGrabber::copyPlain(const QRect& visible, QImage& result, QPoint offset) {
    XErrorTrap trap(m_display);
    XImage* image = XGetImage(m_display, DefaultRootWindow(m_display), visible.x(), visible.y(),
                              static_cast<unsigned>(visible.width()),
                              static_cast<unsigned>(visible.height()), AllPlanes, ZPixmap);
    if (image == nullptr)
        return false;
    copyPixels(image, result, offset);
    XDestroyImage(image);
    return true;
}

QImage X11ScreenGrabber::grab(const QRect& rect, Padding padding) {
    m_giveBack.start();
    const QRect visible = rect.intersected(rootRect());
    // All on the screen: the picture is the shared memory the server wrote, with no copy.
    if (m_useShm && visible == rect && !rect.isEmpty())
        if (QImage picture = pictureOnSegment(rect, padding); !picture.isNull())
            return picture;
    QImage result(rect.size(), QImage::Format_RGB32);
    // Only what the screen does not cover is painted black: a full screen is 8 MB to spare.
    if (visible != rect)
        result.fill(Qt::black);
    if (visible.isEmpty())
        return result;
    const QPoint offset = visible.topLeft() - rect.topLeft();
    if ((m_useShm && copyShared(visible, result, offset)) || copyPlain(visible, result, offset))
        return result;
    result.fill(Qt::black);
    return result;
}

} // namespace vantor
