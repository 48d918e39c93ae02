// How the measuring overlay finds edges and bounds in the screen's pixels.

#include "snap/edgewalk.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace vantor;

namespace {
constexpr QRgb Grey = 0xFF808080;
constexpr QRgb Dark = 0xFF202020;

// A grey picture with a dark rectangle; each pixel of fringe is a step of the rectangle's colour
// towards grey, as an anti-aliased edge draws.
QImage withRectangle(const QRect& dark, int fringe = 0) {
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Grey);
    QPainter painter(&picture);
    for (int i = fringe; i >= 1; --i) {
        const int level = 0x20 + (0x80 - 0x20) * i / (fringe + 1);
        painter.fillRect(dark.adjusted(-i, -i, i, i), QColor(level, level, level));
    }
    painter.fillRect(dark, QColor(Dark));
    return picture;
}
} // namespace

TEST(Measure, ColoursAreCloseByTheirSummedChannelDifferences) {
    EXPECT_TRUE(coloursClose(0xFF102030, 0xFF1A2A3A, 30));
    EXPECT_FALSE(coloursClose(0xFF102030, 0xFF1A2A3B, 30));
    EXPECT_FALSE(coloursClose(0xFF102030, 0xFF102031, 0));
    // Red and green 128 apart each: a sum of 256, which eight bits would wrap to 0.
    EXPECT_FALSE(coloursClose(0xFF000000, 0xFF808000, MaxTolerance));
    EXPECT_TRUE(coloursClose(0xFF000000, 0x00000000, 0)) << "alpha is not a colour";
    EXPECT_EQ(toleranceAfter(DefaultTolerance, 1), 45);
    EXPECT_EQ(toleranceAfter(15, -3), 0);
    EXPECT_EQ(toleranceAfter(240, 2), 255);
}

TEST(Measure, CrossReachesTheOutermostPixelsLikeThePointersOne) {
    struct Case {
        const char* name;
        QImage picture;
        QPoint at;
        int tolerance;
        QRect cross;
    };
    QImage gradient(256, 1, QImage::Format_RGB32);
    for (int x = 0; x < 256; ++x)
        gradient.setPixel(x, 0, qRgb(x, x, x));
    // Two monitors side by side in one copy: the same grey runs on across their border.
    QImage monitors = withRectangle(QRect(20, 20, 10, 10));
    QPainter(&monitors).fillRect(QRect(100, 0, 100, 100), QColor(0x81, 0x80, 0x80));
    const Case cases[] = {
        {"hard edge inside", withRectangle(QRect(50, 20, 40, 30)), QPoint(60, 30), DefaultTolerance,
         QRect(50, 20, 40, 30)},
        {"gap between edges", withRectangle(QRect(50, 20, 40, 30)), QPoint(10, 30),
         DefaultTolerance, QRect(0, 0, 50, 100)},
        {"anti-aliased, steps taken as edge", withRectangle(QRect(50, 20, 40, 30), 2),
         QPoint(10, 30), DefaultTolerance, QRect(0, 0, 48, 100)},
        {"anti-aliased, steps within a wide tolerance", withRectangle(QRect(50, 20, 40, 30), 2),
         QPoint(10, 30), 200, QRect(0, 0, 50, 100)},
        {"gradient at tolerance 0", gradient, QPoint(100, 0), 0, QRect(100, 0, 1, 1)},
        {"gradient at tolerance 30", gradient, QPoint(100, 0), 30, QRect(90, 0, 21, 1)},
        {"last column of the desktop", withRectangle(QRect(50, 20, 40, 30)), QPoint(199, 30),
         DefaultTolerance, QRect(90, 0, 110, 100)},
        {"last pixel of the desktop", withRectangle(QRect(50, 20, 40, 30)), QPoint(199, 99),
         DefaultTolerance, QRect(0, 0, 200, 100)},
        {"across a monitor border", monitors, QPoint(60, 50), DefaultTolerance,
         QRect(0, 0, 200, 100)},
        {"off the picture", gradient, QPoint(256, 0), 30, QRect()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(crossAt(c.picture, c.at, c.tolerance), c.cross) << c.name;
}

TEST(Measure, BoundsShrinkToWhatDiffersFromTheBorderOrSayNothingIsInside) {
    const QImage picture = withRectangle(QRect(50, 20, 40, 30));
    EXPECT_EQ(boundsIn(picture, QRect(30, 10, 100, 60), DefaultTolerance), QRect(50, 20, 40, 30));
    EXPECT_EQ(boundsIn(picture, QRect(129, 69, -100, -60), DefaultTolerance), QRect(50, 20, 40, 30))
        << "dragged from the bottom right";
    EXPECT_EQ(boundsIn(picture, QRect(100, 60, 200, 200), DefaultTolerance), std::nullopt)
        << "running off the picture";
    EXPECT_EQ(boundsIn(picture, QRect(0, 0, 40, 40), DefaultTolerance), std::nullopt);
    EXPECT_EQ(boundsIn(picture, QRect(300, 0, 40, 40), DefaultTolerance), std::nullopt);
}

TEST(Measure, ALineLandsOnTheNearestEdgeInReachButNotThroughIgnoredPixels) {
    const QImage picture = withRectangle(QRect(50, 20, 40, 30));
    using enum Align;
    EXPECT_EQ(edgeNear(picture, QPoint(42, 30), Vertical, 12, DefaultTolerance), 50);
    EXPECT_EQ(edgeNear(picture, QPoint(38, 30), Vertical, 12, DefaultTolerance), 50);
    EXPECT_EQ(edgeNear(picture, QPoint(37, 30), Vertical, 12, DefaultTolerance), std::nullopt);
    EXPECT_EQ(edgeNear(picture, QPoint(60, 30), Vertical, 12, DefaultTolerance), 49)
        << "from inside, onto the first pixel outside";
    EXPECT_EQ(edgeNear(picture, QPoint(70, 10), Horizontal, 12, DefaultTolerance), 20);
    EXPECT_EQ(edgeNear(picture, QPoint(70, 34), Horizontal, 16, DefaultTolerance), 19)
        << "the nearer of two";
    EXPECT_EQ(
        edgeNear(picture, QPoint(42, 30), Vertical, 12, DefaultTolerance, QRegion(46, 0, 2, 100)),
        std::nullopt);
    EXPECT_EQ(edgeNear(picture, QPoint(195, 30), Vertical, 12, DefaultTolerance), std::nullopt);
}
