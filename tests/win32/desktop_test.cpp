#include "platform/desktop.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

#include <windows.h>

using namespace vantor;

namespace {

// A borderless window of one colour, shown and drawn.
class Swatch : public QWidget {
public:
    explicit Swatch(const QRect& geometry) {
        setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        setGeometry(geometry);
        setAutoFillBackground(true);
        setPalette(QPalette(QColor(0x20, 0x80, 0xe0)));
        show();
        for (int i = 0; i < 50 && !isVisible(); ++i)
            QCoreApplication::processEvents();
        repaint();
        QCoreApplication::processEvents();
        Sleep(200);
    }
};

// Whether something tells the desktop's watcher within a second of action, events handled
// meanwhile.
bool toldAfter(int& told, const std::function<void()>& action) {
    told = 0;
    action();
    for (int waited = 0; told == 0 && waited < 1000; waited += 10) {
        QCoreApplication::processEvents();
        Sleep(10);
    }
    return told > 0;
}

} // namespace

// scripts/windows-test runs these once at 100 % and once at 150 %: the Desktop speaks Qt's
// logical pixels at every scale, as the events its callers also read do, and its copies hold
// every device pixel.
TEST(Win32Desktop, PositionsAndFramesAreInLogicalPixelsAndCopiesInDevicePixels) {
    const std::unique_ptr<Desktop> desktop = createNativeDesktop();
    const QRect place(210, 130, 160, 90);
    const Swatch swatch(place);

    SetCursorPos(333, 222);
    EXPECT_EQ(desktop->cursorPos(), QCursor::pos());
    EXPECT_EQ(desktop->windowFrame(swatch.winId()), place);

    const QImage copy = desktop->grabScreen(place.adjusted(10, 10, -10, -10));
    const qreal ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
    ASSERT_EQ(copy.size(), (QSizeF(140, 70) * ratio).toSize());
    EXPECT_EQ(copy.devicePixelRatio(), ratio);
    EXPECT_EQ(copy.pixel(copy.width() / 2, copy.height() / 2), QColor(0x20, 0x80, 0xe0).rgb());
    // Drawn onto a translucent surface, as the section panel and the painter draw copies.
    QImage surface(copy.size(), QImage::Format_ARGB32_Premultiplied);
    surface.fill(Qt::transparent);
    QPainter(&surface).drawImage(0, 0, copy);
    EXPECT_EQ(qAlpha(surface.pixel(copy.width() / 2, copy.height() / 2)), 255);

    desktop->moveWindowTopLeft(swatch.winId(), QPoint(200, 120));
    EXPECT_EQ(desktop->windowFrame(swatch.winId()), QRect(200, 120, 170, 100))
        << "the right and bottom edges stay put";
}

// What makes the foreground monitor look, where it no longer looks ten times a second; and nothing
// while nothing happens. Wine 8 raises no window events of its own for another window in front or
// a window moved, so the test raises them as Windows does.
TEST(Win32Desktop, TellsOfAKeyAWindowInFrontOrMovedAndThePointerEnteringAnArea) {
    const std::unique_ptr<Desktop> desktop = createNativeDesktop();
    int told = 0;
    ASSERT_TRUE(desktop->watchChanges([&] { ++told; }));
    const Swatch front(QRect(210, 130, 160, 90));
    const Swatch behind(QRect(500, 300, 80, 60));
    const auto raise = [](DWORD event, const QWidget& window) {
        return [event, &window] {
            NotifyWinEvent(event, HWND(window.winId()), OBJID_WINDOW, CHILDID_SELF);
        };
    };

    EXPECT_TRUE(toldAfter(told, [] {
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = '4';
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof(INPUT));
    })) << "a key";
    EXPECT_TRUE(toldAfter(told, raise(EVENT_SYSTEM_FOREGROUND, front))) << "a window in front";
    EXPECT_TRUE(toldAfter(told, raise(EVENT_OBJECT_LOCATIONCHANGE, front))) << "it moved";
    EXPECT_FALSE(toldAfter(told, raise(EVENT_OBJECT_LOCATIONCHANGE, behind)))
        << "a window behind moved";
    QCursor::setPos(800, 500);
    desktop->watchPointerIn({QRect(600, 0, 345, 5)});
    EXPECT_TRUE(toldAfter(told, [] { QCursor::setPos(700, 2); })) << "the pointer in an area";
    desktop->watchPointerIn({});
    EXPECT_FALSE(toldAfter(told, [] { QCursor::setPos(710, 2); })) << "no area any more";
}
