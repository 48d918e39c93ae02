#include "widgettest.h"

#include "platform/trayicon.h"
#include "platform/windowservices.h"

#include <QWidget>

using namespace vantor;

TEST(WindowServices, ToolWindowsAreFramelessOnTopAndOffTheTaskbarEachTimeTheyShow) {
    QWidget window;
    MakeToolWindow(window, Qt::WindowDoesNotAcceptFocus);
    EXPECT_EQ(window.windowFlags(), Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                        Qt::WindowDoesNotAcceptFocus);
    for (int shown = 1; shown <= 2; ++shown) {
        test::fakeDesktop().offTaskbar.clear();
        window.show();
        EXPECT_TRUE(test::fakeDesktop().offTaskbar.contains(window.winId())) << shown;
        window.hide();
    }
}

TEST(WindowServices, TransparencyLevelsMapToOpacity) {
    QWidget window;
    QList<qreal> opacities;
    for (int level : {200, 255, 1, 0, -5, 300}) {
        ApplyWindowTransparency(window, level);
        opacities << window.windowOpacity();
    }
    EXPECT_EQ(opacities, QList<qreal>({200 / 255.0, 1.0, 1 / 255.0, 1.0, 1.0, 1.0}));
}

TEST(WindowServices, KeyColouredPixelsAreLeftOutOfTheWindowShape) {
    QWidget window;
    window.resize(20, 10);
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(qRgb(255, 0, 255));
    picture.setPixel(9, 3, qRgb(255, 0, 0));
    picture.setPixel(0, 0, qRgb(254, 0, 255)); // near the key is not the key
    SetWindowColorKey(window, picture, qRgb(255, 0, 255));
    EXPECT_EQ(window.mask(), QRegion(9, 3, 1, 1) + QRegion(0, 0, 1, 1));
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
