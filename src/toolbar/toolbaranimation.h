#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace vantor {

// The capture toolbar's sliding, one timer tick at a time, in pixels and opacity levels (out of
// 255). Opening starts from the parked place (its lower edge one pixel above the screen) at
// opacity 1, slides down 3 pixels a tick with the opacity 10 higher each tick (applied while
// below 200) until its top is at least 3 pixels below the screen's edge, climbs back a pixel a
// tick until its top is above the edge, and ends at top 0 with opacity 200. Closing slides up 3
// pixels a tick with the opacity from 150 down by 10 (values of 1 or less not applied) until the
// lower edge is above the screen, then parks.
class ToolbarAnimation {
public:
    explicit ToolbarAnimation(int height);

    // The top of the parked toolbar, relative to the screen's top edge.
    int parkedTop() const { return -(m_height + 1); }
    int top() const { return m_top; }
    bool opening() const { return m_opening; }
    bool closing() const { return m_closing; }
    // Some part of the toolbar is below the top edge of the screen.
    bool isOpen() const { return m_top > -m_height; }

    // Starts the opening from the parked place, also while opening or closing; returns the
    // opacity to apply now.
    int open();
    // Starts the closing, also while opening.
    void close();
    // One tick of the running animation: the opacity to apply, if any.
    std::optional<int> tick();

private:
    int m_height;
    int m_top;
    int m_transparency = 0;
    bool m_opening = false;
    bool m_closing = false;
    bool m_settling = false;
};

// Whether the pointer at `cursor` (screen pixels) is in the hot zone of the toolbar standing at
// `toolbar` (its window's rectangle, parked or not). A parked toolbar's zone is the top five rows
// strictly inside its horizontal extent, where it opens; an open toolbar's is everything above
// its lower edge within its extent, edges included, where it stays. Outside, it closes.
bool inHotZone(const QRect& toolbar, bool isOpen, QPoint cursor);

// The toolbar of the size centred on the monitor with its top at `top` below the monitor's edge.
QRect toolbarRectOn(const QRect& monitor, QSize toolbar, int top);

// The pixels of the parked toolbar's hot zone on the monitor, inside the monitor.
QRect parkedHotZoneOn(const QRect& monitor, QSize toolbar);

// The monitor whose top edge the parked toolbar waits on for the pointer at `cursor`: the first
// that holds the pointer in its parked toolbar's hot zone, else the one under the pointer or
// nearest to it. Monitors may overlap (a large output's own monitor with a smaller one declared
// inside it), and the first that holds the pointer may centre its toolbar far from it.
int toolbarMonitorAt(const QList<QRect>& monitors, QSize toolbar, QPoint cursor);

} // namespace vantor
