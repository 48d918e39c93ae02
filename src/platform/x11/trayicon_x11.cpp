#include "platform/trayicon.h"

#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace vantor {

namespace {

// Lives on Qt's tray widget, and goes with it.
class RightDoublePress final : public QObject {
public:
    RightDoublePress(QWidget* tray, std::function<void()> onRightPress)
        : QObject(tray), m_onRightPress(std::move(onRightPress)) {
        tray->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonDblClick ||
            static_cast<QMouseEvent*>(event)->button() != Qt::RightButton)
            return false;
        m_onRightPress();
        return true;
    }

private:
    std::function<void()> m_onRightPress;
};

} // namespace

void catchDroppedTrayPresses(QSystemTrayIcon&, const std::function<void()>& onRightPress) {
    // Qt's X11 tray icon is a top-level widget of its own, named after its class.
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("QSystemTrayIconSys") &&
            widget->findChild<RightDoublePress*>(QString(), Qt::FindDirectChildrenOnly) == nullptr)
            new RightDoublePress(widget, onRightPress);
}

void settleFocusBeforeMenu() {
    // Qt's X11 layer holds a hidden window as the focus until the server's focus events, or its
    // own 100 ms wait for them, say otherwise; other platforms never leave it pending.
    const QWindow* focus = QGuiApplication::focusWindow();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !focus || focus->isVisible())
        return;
    QEventLoop loop;
    QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, &loop, &QEventLoop::quit);
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace vantor
