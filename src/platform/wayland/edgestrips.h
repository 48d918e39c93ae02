#pragma once

#include <QObject>
#include <QWidget>

#include <memory>
#include <vector>

namespace vantor {

// A strip of the program's own, one pixel high and invisible, along the top edge of each
// monitor. XWayland learns where the pointer is only while it is over a window of XWayland's, so
// without it the pointer touching the top edge over a native window would never open the
// toolbar. It takes the clicks of that one row of pixels: no Wayland desktop lets an X11 window
// see the pointer and let the clicks through.
class EdgeStrips final : public QObject {
public:
    EdgeStrips();

private:
    // One strip per monitor, placed anew whenever the monitors change.
    void place();

    std::vector<std::unique_ptr<QWidget>> m_strips;
};

} // namespace vantor
