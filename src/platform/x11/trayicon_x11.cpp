#include "platform/trayicon.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

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

} // namespace vantor
