#pragma once

#include <QImage>
#include <QRect>

// Xlib defines macros (Bool, Status, None) that clash with Qt; it comes after every Qt header.
#include <X11/Xlib.h>

#include <X11/extensions/XShm.h>

namespace vantor {

// Copies parts of the root window into QImages. Where the server shares memory with us (MIT-SHM
// on a local display) the pixels travel through one reused shared segment; elsewhere through
// plain XGetImage. The display must outlive the grabber.
class X11ScreenGrabber {
public:
    explicit X11ScreenGrabber(Display* display);
    ~X11ScreenGrabber();
    X11ScreenGrabber(const X11ScreenGrabber&) = delete;
    X11ScreenGrabber& operator=(const X11ScreenGrabber&) = delete;

    // The pixels inside rect, in root coordinates; parts beyond the root window are black.
    QImage grab(const QRect& rect);

private:
    QRect rootRect() const;
    bool copyShared(const QRect& visible, QImage& result, QPoint offset);
    bool copyPlain(const QRect& visible, QImage& result, QPoint offset);
    XImage* sharedImage(const QSize& size);
    bool reserveSegment(size_t bytes);
    void releaseSegment();

    Display* m_display;
    bool m_useShm = false;
    XShmSegmentInfo m_segment = {};
    size_t m_segmentBytes = 0;
};

} // namespace vantor
