#pragma once

#include "platform/wayland/kwinscript.h"

#include <QObject>
#include <QPoint>
#include <QTimer>

#include <memory>
#include <optional>

namespace vantor {

// What KDE Plasma's compositor tells as it happens, through small KWin scripts: where the pointer
// is, at every move, and whether another program's window has drawn anew. XWayland's pointer
// stands still while the pointer is over a native window or the bare desktop, so the lens and the
// toolbar's hot zone would follow a place the pointer has left; and without word of what was
// drawn, the lens would have to copy the screen at every tick to see a change.
class KWinWatch : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.vantor.ScreenTools.KWinWatch")

public:
    // Nothing where KWin takes no scripts or the session bus cannot be answered on.
    static std::unique_ptr<KWinWatch> start();

    // Where the pointer was last told to be, in KWin's logical pixels, which are XWayland's;
    // nothing until the script first tells.
    std::optional<QPoint> pointer() const { return m_pointer; }

    // Whether a window may have drawn since the last call. Windows are watched from the first
    // call until a while after the last, so that a program resting in the tray hears nothing.
    bool takeDrawn();

public slots:
    Q_SCRIPTABLE void moved(int x, int y);
    Q_SCRIPTABLE void drew();

private:
    KWinWatch();
    QByteArray script(const char* body) const;

    std::unique_ptr<KWinScript> m_pointerScript;
    std::unique_ptr<KWinScript> m_drawingScript;
    QTimer m_drawingWatched;
    std::optional<QPoint> m_pointer;
    bool m_drew = true;
    bool m_drawingUnwatchable = false;
};

} // namespace vantor
