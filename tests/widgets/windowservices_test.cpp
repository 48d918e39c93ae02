#include "widgettest.h"

#include "platform/trayicon.h"
#include "platform/windowservices.h"

#include <QWidget>

using namespace vantor;

TEST(WindowServices, ToolWindowsStayOffTheTaskbarEachTimeTheyShow) {
    QWidget window;
    MakeToolWindow(window, Qt::WindowDoesNotAcceptFocus);
    for (int shown = 1; shown <= 2; ++shown) {
        test::fakeDesktop().offTaskbar.clear();
        window.show();
        EXPECT_TRUE(test::fakeDesktop().offTaskbar.contains(window.winId())) << shown;
        window.hide();
    }
}

// A quick second right press on Qt's X11 tray widget arrives as a double-click, which Qt drops:
// it must still count as a right press. A left double-click does not, nor a widget of another
// name.
TEST(TrayIcon, RightDoubleClicksOnTheTrayWidgetCountAsRightPresses) {
    QSystemTrayIcon icon;
    QWidget tray;
    tray.setObjectName("QSystemTrayIconSys");
    QWidget other;
    int presses = 0;
    catchDroppedTrayPresses(icon, [&] { ++presses; });
    catchDroppedTrayPresses(icon, [&] { ++presses; }); // a second call adds no second watcher
    for (QWidget* widget : {&tray, &other})
        for (Qt::MouseButton button : {Qt::RightButton, Qt::LeftButton})
            test::sendMouse(*widget, QEvent::MouseButtonDblClick, button, button, QPoint(5, 5));
    EXPECT_EQ(presses, 1);
}
