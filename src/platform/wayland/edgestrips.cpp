#include "platform/wayland/edgestrips.h"

#include <QGuiApplication>
#include <QScreen>

namespace vantor {

EdgeStrips::EdgeStrips() {
    place();
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this](QScreen*) { place(); });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, [this](QScreen*) { place(); });
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, [this](QScreen*) { place(); });
}

void EdgeStrips::place() {
    m_strips.clear();
    for (QScreen* screen : QGuiApplication::screens()) {
        auto strip = std::make_unique<QWidget>(
            nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool |
                         Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus);
        strip->setAttribute(Qt::WA_TranslucentBackground);
        strip->setAttribute(Qt::WA_ShowWithoutActivating);
        strip->setAttribute(Qt::WA_NoSystemBackground);
        // Its kind, for the window system and for those who look for the program's windows.
        strip->setWindowRole(QStringLiteral("edgeStrip"));
        const QRect monitor = screen->geometry();
        strip->setGeometry(monitor.left(), monitor.top(), monitor.width(), 1);
        strip->show();
        // Placed anew once the signal has returned: the strip it is tied to goes then.
        connect(screen, &QScreen::geometryChanged, strip.get(), [this] {
            QMetaObject::invokeMethod(
                this, [this] { place(); }, Qt::QueuedConnection);
        });
        m_strips.push_back(std::move(strip));
    }
}

} // namespace vantor
