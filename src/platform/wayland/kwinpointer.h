#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include <memory>
#include <optional>

namespace vantor {

// The pointer as KDE Plasma's compositor sees it, told by a small KWin script at every move.
// XWayland's pointer stands still while the pointer is over a native window or the bare desktop,
// so the lens and the toolbar's hot zone would follow a place the pointer has left.
class KWinPointer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.vantor.ScreenTools.Pointer")

public:
    // Loads the script into KWin; nothing where KWin takes no scripts.
    static std::unique_ptr<KWinPointer> start();
    ~KWinPointer() override;

    // Where the pointer was last told to be, in KWin's logical pixels, which are XWayland's;
    // nothing until the script first tells.
    std::optional<QPoint> position() const { return m_position; }

public slots:
    Q_SCRIPTABLE void moved(int x, int y);

private:
    KWinPointer() = default;
    bool load();

    QString m_plugin;
    std::optional<QPoint> m_position;
};

} // namespace vantor
