#pragma once

#include "core/colours.h"
#include "core/singleinstance.h"
#include "platform/magnifier.h"

#include <QElapsedTimer>
#include <QImage>
#include <QMenu>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

namespace vantor {

// The zoom lens: a small square, always on top and slightly translucent, that shows the 32 x 32
// pixels around the pointer magnified, refreshed as the pointer moves and the screen changes. Its
// size is the magnification; it is dragged with the left button, its menu is on any other, and a
// double click saves what it shows. One lens at most.
class frmZoom final : public QWidget, public SingleInstance<frmZoom> {
    Q_OBJECT
public:
    void SetZoom(int value);
    int zoomFactor() const { return mZoomFactor; }
    // The picture as last painted, at the lens's size, without its frame.
    QImage face() const;
    QMenu& popupMenu() { return mpopup; }
    // The colour of the pixel under the pointer as the lens last read it.
    QRgb readColour() const { return m_colour; }
    bool gridShown() const { return m_grid; }

    void TimerCursorZoom_Timer();
    void mpopupClose_Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    QPaintEngine* paintEngine() const override;

private:
    // About a display's refresh: more frames than it shows would cost and show nothing.
    static constexpr int RefreshInterval = 16;
    // While nothing is told, how seldom the pointer is looked at, at the longest.
    static constexpr int LongestPointerCheck = 250;

    int deviceZoomFactor() const;
    // Lets the next frame come after at least `after` ms since the last one.
    void frameSoon(qint64 after = RefreshInterval);
    // Reads the colour under the pointer from the lens's source and redraws the strip when the
    // reading, its format or the lens's size changed.
    void takeReading(QRgb colour);
    void updateOverlay();
    void refreshMenu();
    friend class SingleInstance<frmZoom>;
    frmZoom();
    void Form_Load();
    void Form_DblClick();

    int mZoomFactor = 0;
    // Where the left button went down on the lens, while it is held: the point kept under the
    // pointer as the lens follows it.
    std::optional<QPoint> m_grab;
    // Where the window system draws the lens itself; without it the lens paints its own picture.
    std::unique_ptr<ScreenMagnifier> m_magnifier;
    QImage PictureCapture;
    QImage m_face;
    // Every frame's tick where the lens is not told of changes; else one tick after a change.
    QTimer TimerCursorZoom;
    bool m_watched = false;
    int m_pointerCheck = RefreshInterval;
    QElapsedTimer m_frameClock;
    QMenu mpopup;
    QMenu mpopupZoom;
    QMenu m_popupFormat;
    QMenu m_popupColours;
    QAction* m_popupGrid = nullptr;
    QAction* mpopupClose = nullptr;
    bool m_grid = true;
    ColourFormat m_format = ColourFormat::Hex;
    QRgb m_colour = 0xff000000u;
    QImage m_strip;
    // Whether the lens drew since the colour was last read, and when that was.
    bool m_readoutStale = false;
    QElapsedTimer m_readoutClock;
};

} // namespace vantor
