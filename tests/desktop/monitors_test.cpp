// The program on two monitors side by side (scripts/desktop-session --monitors): 2560 x 1440 on
// the left, the primary 1920 x 1080 on its right, and below that one a corner of the root window
// that no monitor shows, where the tray sits.
#include "harness.h"

#include "core/screens.h"

#include <QGuiApplication>
#include <QTemporaryDir>

namespace vantor::desk {
namespace {

constexpr QRect Left(0, 0, 2560, 1440);
constexpr QRect Right(2560, 0, 1920, 1080);
constexpr QSize Toolbar(346, 57);

TEST(MonitorsTest, QtSeesEachMonitorAsAScreen) {
    int argc = 1;
    char name[] = "probe";
    char* argv[] = {name, nullptr};
    const QGuiApplication app(argc, argv);
    EXPECT_EQ(screenRects(), (QList<QRect>{Right, Left}));
}

using MonitorsDesktopTest = DesktopTest;

// The menu is picked with the keyboard while the pointer rests on the left monitor.
TEST_F(MonitorsDesktopTest, ANewGuideStartsMidMonitorUnderThePointerAndSpansTheDesktop) {
    launchDocked();
    openTrayMenu();
    moveMouse(Left.center() + QPoint(0, 300));
    chooseItem(AddGuide);
    std::vector<WindowInfo> guides;
    EXPECT_TRUE(waitFor([&] {
        guides = windowsOf(pid(), "frmGridLine");
        return guides.size() == 1 &&
               guides.front().rect == QRect(1280 - GuideStrip / 2, 0, GuideStrip, 1440);
    })) << (guides.empty() ? QRect() : guides.front().rect).height();
}

TEST_F(MonitorsDesktopTest, TheScreenCaptureHoldsBothMonitorsAndBlacksOutTheRest) {
    QTemporaryDir images;
    setImagesFolder(images.path());
    launchDocked();
    key("Control_L+1");
    const QImage picture = savedCapture(images.path(), 1);
    savePng(picture, "both-monitors");
    EXPECT_EQ(picture.size(), QSize(4480, 1440));
    EXPECT_TRUE(bitmapsBelow(images.path()).front().contains("capture.screen.(4480x1440)"));
    EXPECT_EQ(rgbAt(picture, QPoint(3000, 1200)), 0u);
    EXPECT_EQ(rgbAt(picture, Right.bottomRight()), rgbAt(screenshot(), Right.bottomRight()));
}

TEST_F(MonitorsDesktopTest, TheToolbarOpensCentredOnTheMonitorWhoseTopEdgeThePointerTouches) {
    launchDocked();
    for (const QRect& monitor : {Left, Right}) {
        const int middle = monitor.x() + monitor.width() / 2;
        const QRect open(QPoint(middle - Toolbar.width() / 2, 0), Toolbar);
        moveMouse(QPoint(middle, 0));
        EXPECT_TRUE(waitFor([&] {
            const std::vector<WindowInfo> bars = windowsOf(pid(), "frmToolbar");
            return bars.size() == 1 && windowRect(bars.front().id) == open;
        })) << monitor.x();
        moveMouse(QPoint(middle, 600));
        EXPECT_TRUE(waitFor([&] {
            const std::vector<WindowInfo> bars = windowsOf(pid(), "frmToolbar");
            return bars.size() == 1 && windowRect(bars.front().id).bottom() < 0;
        }));
    }
}

// At a ratio of 2 each logical pixel of the left monitor is 2 x 2 of the pattern's pixels.
TEST_F(MonitorsDesktopTest, APanelSnapAtRatioTwoHoldsEveryDevicePixelAndSaysSoInItsName) {
    QTemporaryDir images;
    setImagesFolder(images.path());
    const PatternWindow pattern(QRect(300, 200, 1100, 700), 0x0000ff,
                                {{{41, 31, 1, 1}, 0xff00ff}, {{300, 150, 3, 301}, 0x00ff00}});
    std::vector<std::string> env = English;
    env.push_back("QT_SCREEN_SCALE_FACTORS=vantor-left=2");
    launchDocked(env);
    const WindowInfo panel = addFromTray(AddPanel, "frmFrame");
    const QPoint origin = pattern.shown().topLeft();
    const QPoint corner = origin + QPoint(41, 31);
    drag(windowRect(panel.id).topLeft() + QPoint(100, 80), corner + QPoint(100, 80), 12);
    // Only every second device pixel is a logical one's corner there.
    ASSERT_TRUE(
        waitFor([&] { return (windowRect(panel.id).topLeft() - corner).manhattanLength() <= 2; }));
    const QPoint inside = windowRect(panel.id).topLeft() - origin;
    ASSERT_EQ(windowRect(panel.id).size(), PanelSize * 2);
    click(origin + inside + SnapButton * 2);
    const QImage picture = savedCapture(images.path(), 1);
    EXPECT_EQ(picture, pattern.expected().copy(QRect(inside, PanelSize * 2)));
    EXPECT_TRUE(bitmapsBelow(images.path()).front().contains("capture.section.(946x554)"));
}

} // namespace
} // namespace vantor::desk
