#include "toolbar/toolbaranimation.h"

#include "core/monitors.h"

namespace vantor {

namespace {
constexpr int SlideStep = 3;
constexpr int OpacityStep = 10;
constexpr int OpenOpacity = 200;
constexpr int CloseOpacity = 150;
constexpr int HotRows = 5;
} // namespace

ToolbarAnimation::ToolbarAnimation(int height) : m_height(height), m_top(parkedTop()) {}

int ToolbarAnimation::open() {
    m_closing = false;
    m_opening = true;
    m_settling = false;
    m_transparency = 1;
    m_top = parkedTop();
    return m_transparency;
}

void ToolbarAnimation::close() {
    m_opening = false;
    m_closing = true;
    m_transparency = CloseOpacity;
}

std::optional<int> ToolbarAnimation::tick() {
    if (m_opening && !m_settling) {
        if (m_top >= SlideStep) {
            m_settling = true; // nothing moves on this tick
            return std::nullopt;
        }
        m_top += SlideStep;
        m_transparency += OpacityStep;
        return m_transparency < OpenOpacity ? std::optional<int>(m_transparency) : std::nullopt;
    }
    if (m_opening) {
        if (m_top >= 0) {
            --m_top;
            return std::nullopt;
        }
        m_opening = false;
        m_top = 0;
        return OpenOpacity;
    }
    if (!m_closing)
        return std::nullopt;
    if (m_height + m_top < 0) {
        m_closing = false;
        m_top = parkedTop();
        return std::nullopt;
    }
    m_top -= SlideStep;
    m_transparency -= OpacityStep;
    return m_transparency > 1 ? std::optional<int>(m_transparency) : std::nullopt;
}

bool inHotZone(const QRect& toolbar, bool isOpen, QPoint cursor) {
    // The right edge is where the toolbar's extent ends, one past its last column.
    const int left = toolbar.left();
    const int right = toolbar.left() + toolbar.width();
    if (isOpen)
        return cursor.y() <= toolbar.height() && left <= cursor.x() && cursor.x() <= right;
    return left < cursor.x() && cursor.x() < right && cursor.y() < HotRows;
}

QRect toolbarRectOn(const QRect& monitor, QSize toolbar, int top) {
    return {QPoint(monitor.left() + (monitor.width() - toolbar.width()) / 2, monitor.top() + top),
            toolbar};
}

QRect parkedHotZoneOn(const QRect& monitor, QSize toolbar) {
    const QRect parked =
        toolbarRectOn(monitor, toolbar, ToolbarAnimation(toolbar.height()).parkedTop());
    return QRect(parked.left() + 1, monitor.top(), toolbar.width() - 1, HotRows);
}

int toolbarMonitorAt(const QList<QRect>& monitors, QSize toolbar, QPoint cursor) {
    const int parkedTop = ToolbarAnimation(toolbar.height()).parkedTop();
    for (int i = 0; i < monitors.size(); ++i) {
        const QRect& monitor = monitors[i];
        if (monitor.contains(cursor) &&
            inHotZone(toolbarRectOn(monitor, toolbar, parkedTop).translated(-monitor.topLeft()),
                      false, cursor - monitor.topLeft()))
            return i;
    }
    return nearestMonitor(monitors, QRect(cursor, QSize(1, 1)));
}

} // namespace vantor
