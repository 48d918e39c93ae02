#include "platform/desktop.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

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
