#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QRgb>

#include <functional>

namespace vantor {

// A lens drawn by the window system into one of our windows: a square of the screen, each pixel
// stretched to a block, with a one-pixel frame; the pixels never pass through the program.
class ScreenMagnifier {
public:
    virtual ~ScreenMagnifier() = default;
    ScreenMagnifier() = default;
    ScreenMagnifier(const ScreenMagnifier&) = delete;
    ScreenMagnifier& operator=(const ScreenMagnifier&) = delete;

    // Where the pointer is, in screen pixels; asked along the way the lens's pixels go, so that
    // what changed on the screen meanwhile comes in with the answer.
    virtual QPoint pointer() = 0;
    // Shows source, stretched factor times, from the window's corner; unless forced, only when
    // the source, the factor or anything on the screen inside the source changed since the last
    // showing. Whether it drew.
    virtual bool show(const QRect& source, int factor, bool forced) = 0;
    // The screen pixels as last shown, black beyond the screen's edge; null before the first.
    virtual QImage lastSource() = 0;
    // The colour of the pixel at `at` of the source as last shown; black before the first.
    virtual QRgb sourcePixel(QPoint at) = 0;
    // What is drawn over the magnified pixels from the next showing on: thin translucent lines
    // (window pixels), and a picture along the window's lower edge inside the frame (two pixels
    // narrower than the window), whose rows the magnified pixels then leave alone. A null
    // picture: none.
    virtual void setOverlay(const QList<QRect>& lines, const QImage& strip) = 0;
    // Calls changed from the event loop when the pointer moved, as far as the window system
    // reports such moves, or the screen changed inside the source last shown, so that the lens
    // draws only then. False where the window system does not tell: the lens looks on a timer.
    virtual bool watch(std::function<void()> changed) = 0;
};

} // namespace vantor
