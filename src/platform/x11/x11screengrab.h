#pragma once

#include <QImage>
#include <QRect>
#include <QTimer>

#include <memory>

// Xlib defines macros (Bool, Status, None) that clash with Qt; it comes after every Qt header.
#include <X11/Xlib.h>

#include <X11/extensions/XShm.h>

namespace vantor {

// Copies parts of the root window into QImages. Where the server shares memory with us (MIT-SHM
// on a local display) the pixels travel through a shared segment, which a copy wholly on the
// screen hands out as the picture itself; elsewhere through plain XGetImage. Once the picture is
// dropped, the segment serves the next copies of a burst (a held Ctrl+1, a row of snaps) without
// new memory, whose first touch of each page costs more than the copy at large sizes; a few
// seconds after the last copy it is given back. The display must outlive the grabber.
class X11ScreenGrabber {
public:
    explicit X11ScreenGrabber(Display* display);
    ~X11ScreenGrabber();
    X11ScreenGrabber(const X11ScreenGrabber&) = delete;
    X11ScreenGrabber& operator=(const X11ScreenGrabber&) = delete;

    // What a picture handed out over the segment holds in each pixel's padding byte: opaque alpha,
    // as Qt's RGB32 wants for drawing, or what the server wrote, for a picture only written to a
    // file, which spares a pass over every pixel.
    enum class Padding { Opaque, AsCopied };

    // The pixels inside rect, in root coordinates; parts beyond the root window are black.
    QImage grab(const QRect& rect, Padding padding = Padding::Opaque);

private:
    QRect rootRect() const;
    // The screen inside visible as a picture over the segment; null where it cannot be.
    QImage pictureOnSegment(const QRect& visible, Padding padding);
    // The screen inside visible in the segment, as an image to drop with dropSharedImage.
    XImage* copySharedImage(const QRect& visible);
    void dropSharedImage(XImage* image);
    bool copyShared(const QRect& visible, QImage& result, QPoint offset);
    bool copyPlain(const QRect& visible, QImage& result, QPoint offset);
    XImage* sharedImage(const QSize& size);
    bool reserveSegment(size_t bytes);
    void releaseSegment();

    Display* m_display;
    bool m_useShm = false;
    struct Segment;
    std::shared_ptr<Segment> m_segment;
    QTimer m_giveBack;
};

} // namespace vantor
