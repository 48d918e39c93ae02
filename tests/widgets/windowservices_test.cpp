#include "widgettest.h"

#include "platform/trayicon.h"
#include "platform/windowservices.h"

#include <QWidget>

#include <gtest/gtest.h>

using namespace vantor;

TEST(WindowServices, ToolWindowsAreFramelessOnTopAndOffTheTaskbarEachTimeTheyShow) {
    QWidget window;
    MakeToolWindow(window, Qt::WindowDoesNotAcceptFocus);
    MakeToolWindow(window, Qt::WindowDoesNotAcceptFocus); // a second call adds no second watcher
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_EQ(window.windowType(), Qt::Tool);

    window.show();
    EXPECT_TRUE(test::fakeDesktop().offTaskbar.contains(window.winId()));
    test::fakeDesktop().offTaskbar.clear();
    window.hide();
    window.show();
    EXPECT_TRUE(test::fakeDesktop().offTaskbar.contains(window.winId()));
}

TEST(WindowServices, TransparencyLevelsMapToOpacity) {
    QWidget window;
    for (const auto& [level, opacity] :
         {std::pair{200, 200 / 255.0}, std::pair{255, 1.0}, std::pair{1, 1 / 255.0},
          std::pair{0, 1.0}, std::pair{-5, 1.0}, std::pair{300, 1.0}}) {
        ApplyWindowTransparency(window, level);
        EXPECT_NEAR(window.windowOpacity(), opacity, 0.002) << level;
    }
}

TEST(WindowServices, KeyColouredPixelsAreLeftOutOfTheWindowShape) {
    QWidget window;
    window.resize(20, 10);
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(qRgb(255, 0, 255));
    picture.setPixel(9, 3, qRgb(255, 0, 0));
    picture.setPixel(0, 0, qRgb(254, 0, 255)); // near the key is not the key
    SetWindowColorKey(window, picture, qRgb(255, 0, 255));
    const QRegion shape = window.mask();
    EXPECT_TRUE(shape.contains(QPoint(9, 3)));
    EXPECT_TRUE(shape.contains(QPoint(0, 0)));
    EXPECT_FALSE(shape.contains(QPoint(10, 3)));
    EXPECT_FALSE(shape.contains(QPoint(19, 9)));
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
