// The program on two monitors side by side (scripts/desktop-session --monitors): 2560 x 1440 on
// the left, the primary 1920 x 1080 on its right, and below that one a corner of the root window
// that no monitor shows.
#include "harness.h"

#include <optional>

namespace vantor::desk {
namespace {

constexpr QRect Left(0, 0, 2560, 1440);
constexpr QRect Right(2560, 0, 1920, 1080);
constexpr QRect Desk(0, 0, 4480, 1440);
constexpr QSize Toolbar(346, 57);
constexpr QRgb SectionFrame = 0xffc400;

using MonitorsTest = DesktopTest;

void xrandr(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "xrandr");
    EXPECT_EQ(Process(arguments).waitForExit(), 0) << arguments[1];
}

// The menu is picked with the keyboard while the pointer rests on the left monitor.
TEST_F(MonitorsTest, ANewGuideStartsMidMonitorUnderThePointerAndSpansTheDesktop) {
    launchDocked();
    openTrayMenu();
    moveMouse(Left.center() + QPoint(0, 300));
    chooseItem(AddGuide);
    waitForWindow("frmGridLine", QRect(1280 - GuideStrip / 2, 0, GuideStrip, 1440));
}

// Dragged with the real mouse from the left monitor over the border and onto the right one, a
// ruler and a panel keep their sizes and still resize there.
TEST_F(MonitorsTest, RulersAndPanelsKeepMeasuringAcrossTheBorder) {
    launchDocked();
    const XWindow ruler = addFromTray(AddRule, "frmRule").id;
    const XWindow panel = addFromTray(AddPanel, "frmFrame").id;
    for (const int x : {1800, 2400, 3000}) {
        dragWindow(ruler, RulerGrab, QPoint(x, 300));
        dragWindow(panel, PanelGrab, QPoint(x, 600));
        EXPECT_EQ(windowRect(ruler).size(), QSize(355, RulerThickness)) << x;
        EXPECT_EQ(windowRect(panel).size(), PanelSize) << x;
    }
    savePng(screenshot(Right), "ruler-and-panel-on-the-right");
    drag(QPoint(3000 + 350, 300 + RulerThickness / 2), QPoint(3500, 300 + RulerThickness / 2));
    drag(QPoint(3000, 600) + ResizeHandle, QPoint(3000, 600) + ResizeHandle + QPoint(62, 82));
    EXPECT_TRUE(waitFor([&] {
        return windowRect(ruler) == QRect(3000, 300, 500, RulerThickness) &&
               windowRect(panel) == QRect(QPoint(3000, 600), PanelSize + QSize(60, 80));
    })) << windowRect(ruler)
        << " and " << windowRect(panel);
}

TEST_F(MonitorsTest, TheScreenCaptureHoldsBothMonitorsAndBlacksOutTheRest) {
    useImagesFolder();
    launchDocked();
    key("Control_L+1");
    const QImage picture = savedCapture(1);
    EXPECT_EQ(picture.size(), QSize(4480, 1440));
    EXPECT_TRUE(savedFiles().front().contains("capture.screen.(4480x1440)"));
    EXPECT_EQ(rgbAt(picture, QPoint(3000, 1200)), 0u);
    // The far corners of the desktop, where nothing moves: the tray at the bottom right may
    // still be drawing itself after the icon docked.
    const QImage shown = screenshot();
    for (const QPoint corner : {Right.topRight(), Left.bottomLeft()})
        EXPECT_EQ(rgbAt(picture, corner), rgbAt(shown, corner)) << corner;
}

// A stroke painted across the border shows on both monitors; a section dragged across it saves
// both sides: another program's red window on the left and the bare desktop on the right.
TEST_F(MonitorsTest, ThePainterAndTheSectionCaptureCoverBothMonitors) {
    useImagesFolder();
    const PatternWindow red(QRect(2260, 400, 300, 300), Red);
    const QRect pattern = red.shown();
    launchDocked();
    key("Control_L+6");
    waitForWindow("frmScreenPainter", Desk);
    drag(QPoint(2400, 800), QPoint(2700, 800), 20);
    QImage shot;
    EXPECT_TRUE(waitFor([&] {
        shot = screenshot();
        return rgbAt(shot, QPoint(2450, 800)) == Red && rgbAt(shot, QPoint(2650, 800)) == Red;
    })) << savePng(shot.copy(2200, 350, 600, 500), "stroke-and-red-window");
    key("Escape");
    ASSERT_TRUE(closed("frmScreenPainter"));

    // The bare desktop the section will frame, as it shows before the section's black layer
    // covers it: that layer may still be on the screen for a moment after the save.
    const QRgb bare = rgbAt(screenshot(), QPoint(2700, 300));
    EXPECT_EQ(openSectionCapture(Left.center().x()).rect, Desk);
    const QRect section(QPoint(pattern.right() - 99, 500), FirstSection.size());
    drag(FirstSection.center(), section.center(), 12);
    key("Return");
    const QImage saved = savedCapture(1);
    EXPECT_EQ(saved.size(), section.size());
    EXPECT_EQ(rgbAt(saved, QPoint(50, 50)), Red);
    EXPECT_EQ(rgbAt(saved, QPoint(150, 50)), bare);
}

// Opened with the pointer over a red window on the left monitor, the lens opens in that monitor's
// middle and magnifies the red around the pointer. The about box opens in its middle too, takes
// the keyboard and closes on Escape, the program going on.
TEST_F(MonitorsTest, TheLensAndTheAboutBoxOpenOnThePointersMonitor) {
    const PatternWindow red(QRect(400, 400, 300, 300), Red);
    launchDocked();
    moveMouse(red.shown().center());
    key("Control_L+5");
    const QRect lens = waitForWindow("frmZoom", QRect(1280 - 64, 720 - 64, 128, 128)).rect;
    // Red at the lens's opacity over the grey desktop, inside a block of the grid and in the
    // swatch of the strip that reads the colour under the still pointer.
    QImage shot;
    const auto isRed = [&](QPoint at) {
        return qRed(shot.pixel(at)) > 200 && qGreen(shot.pixel(at)) < 80;
    };
    EXPECT_TRUE(waitFor([&] {
        shot = screenshot(lens);
        return isRed(QPoint(66, 66)) && isRed(QPoint(8, 118));
    })) << savePng(shot, "lens");
    key("Escape");
    openTrayMenu();
    moveMouse(Left.topLeft() + QPoint(300, 300));
    chooseItem(About);
    const WindowInfo about =
        waitForWindow("frmAbout", [](const QRect& box) { return box.center() == Left.center(); });
    EXPECT_TRUE(waitFor([&] { return focusedWindow() == about.id; }));
    key("Escape");
    EXPECT_TRUE(closed("frmAbout"));
    EXPECT_TRUE(m_program->running());
}

TEST_F(MonitorsTest, TheToolbarOpensCentredOnTheMonitorWhoseTopEdgeThePointerTouches) {
    launchDocked();
    for (const QRect& monitor : {Left, Right}) {
        const int middle = monitor.x() + monitor.width() / 2;
        const QRect open(QPoint(middle - Toolbar.width() / 2, 0), Toolbar);
        moveMouse(QPoint(middle, 0));
        waitForWindow("frmToolbar", open);
        moveMouse(QPoint(middle, 600));
        waitForWindow("frmToolbar", [](const QRect& bar) { return bar.bottom() < 0; });
    }
}

// Only a smaller monitor at the right of the left one's place, until the end of the test: the
// output's own monitor, the primary, then spans the whole root window around it. Then the layout
// of scripts/desktop-session again; an output belongs to one monitor at a time.
class MonitorInsideThePrimary {
public:
    MonitorInsideThePrimary() {
        xrandr({"--delmonitor", "vantor-left"});
        xrandr({"--delmonitor", "vantor-right"});
        xrandr({"--setmonitor", "vantor-right", "1280/338x1024/270+1920+0", "none"});
    }
    ~MonitorInsideThePrimary() {
        xrandr({"--delmonitor", "vantor-right"});
        xrandr({"--setmonitor", "vantor-left", "2560/677x1440/381+0+0", "none"});
        xrandr({"--setmonitor", "vantor-right", "1920/508x1080/286+2560+0", "DUMMY0"});
    }
};

TEST_F(MonitorsTest, TheToolbarOpensOnTheTopEdgeOfAMonitorInsideThePrimary) {
    const MonitorInsideThePrimary layout;
    launchDocked();
    const QRect open(QPoint(1920 + (1280 - Toolbar.width()) / 2, 0), Toolbar);
    moveMouse(QPoint(open.center().x(), 0));
    waitForWindow("frmToolbar", open);
}

// At a ratio of 2 each logical pixel of the left monitor is 2 x 2 of the pattern's pixels.
TEST_F(MonitorsTest, APanelSnapAtRatioTwoHoldsEveryDevicePixelAndSaysSoInItsName) {
    useImagesFolder();
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
    EXPECT_EQ(savedCapture(1), pattern.expected().copy(QRect(inside, PanelSize * 2)));
    EXPECT_TRUE(savedFiles().front().contains("capture.section.(946x554)"));
}

// The left monitor unplugged, as `xrandr --delmonitor` does, until the end of the test; then
// set up again as scripts/desktop-session does, for the tests after this one.
class LeftMonitorUnplugged {
public:
    LeftMonitorUnplugged() { xrandr({"--delmonitor", "vantor-left"}); }
    ~LeftMonitorUnplugged() {
        xrandr({"--setmonitor", "vantor-left", "2560/677x1440/381+0+0", "none"});
    }
};

// The measuring overlay's cross runs across the border, over a frozen desktop without the
// program's tools; unplugging a monitor closes it and brings the tools back.
TEST_F(MonitorsTest, TheMeasuringOverlayMeasuresAcrossTheBorderAndClosesWhenAMonitorGoes) {
    launchDocked();
    const XWindow ruler = addRulerAt(QPoint(1900, 480)).id;
    key("Control_L+7");
    const XWindow overlay = waitForWindow("MeasureOverlay", Desk).id;
    ASSERT_TRUE(waitFor([&] { return focusedWindow() == overlay; }));
    moveMouse(QPoint(2000, 600));
    key("Control_L+c");
    EXPECT_TRUE(waitFor([] { return clipboardText() == QString::fromUtf8("4480 × 1440 px"); }))
        << clipboardText();
    // Where no monitor shows the desktop, Ctrl+8 picks no colour: not the black beyond them.
    moveMouse(QPoint(3000, 1200));
    key("Control_L+8");
    EXPECT_TRUE(waitFor(
        [&] { return m_program->stderrText().find("no colour was picked") != std::string::npos; }));
    EXPECT_EQ(clipboardText(), QString::fromUtf8("4480 × 1440 px"));
    {
        const LeftMonitorUnplugged unplugged;
        EXPECT_TRUE(closed("MeasureOverlay"));
        EXPECT_TRUE(waitFor([&] { return viewable(ruler); }));
    }
}

TEST_F(MonitorsTest, ToolsOnAMonitorThatGoesComeOntoTheOneLeftAndStayInReach) {
    launchDocked();
    const XWindow ruler = addRulerAt(QPoint(500, 300)).id;
    const XWindow panel = addPanelAt(QPoint(500, 600)).id;
    openTrayMenu();
    moveMouse(Left.center());
    chooseItem(AddGuide);
    const XWindow guide = waitForWindow("frmGridLine").id;
    key("Control_L+5");
    const XWindow lens = waitForWindow("frmZoom").id;

    const LeftMonitorUnplugged unplugged;
    // Each the smallest move onto the right monitor; the guide's red line on its first column.
    EXPECT_TRUE(waitFor([&] {
        return windowRect(ruler).topLeft() == QPoint(2560, 300) &&
               windowRect(panel).topLeft() == QPoint(2560, 600) &&
               windowRect(lens) == QRect(2560, 720 - 64, 128, 128) &&
               windowRect(guide) == QRect(2560 - 9, 0, GuideStrip, 1080);
    }));
    savePng(screenshot(Right), "after-unplugging");
    waitForWindow("frmToolbar",
                  [](const QRect& bar) { return bar.x() == 2560 + (1920 - Toolbar.width()) / 2; });
    dragWindow(ruler, RulerGrab, QPoint(3000, 500));
}

// Open while a monitor goes or comes, the painter keeps its stroke where it was painted and the
// section capture its section, each laid over the desktop as it is after the change.
TEST_F(MonitorsTest, ThePainterAndTheSectionCaptureFollowTheMonitors) {
    launchDocked();
    key("Control_L+6");
    waitForWindow("frmScreenPainter", Desk);
    drag(QPoint(3000, 500), QPoint(3300, 500), 20);
    const auto strokeShows = [] { return rgbAt(screenshot(), QPoint(3150, 500)) == Red; };
    ASSERT_TRUE(waitFor(strokeShows));
    auto unplugged = std::make_optional<LeftMonitorUnplugged>();
    waitForWindow("frmScreenPainter", Right);
    EXPECT_TRUE(waitFor(strokeShows));
    savePng(screenshot(Right), "painter-after-unplugging");
    key("Escape");
    ASSERT_TRUE(closed("frmScreenPainter"));

    EXPECT_EQ(openSectionCapture(Right.center().x()).rect, Right);
    const QPoint frame = Right.topLeft() + FirstSection.topLeft() + QPoint(0, 70);
    unplugged.reset();
    waitForWindow("frmCaptureSection", Desk);
    QImage shot;
    EXPECT_TRUE(waitFor([&] {
        shot = screenshot();
        return rgbAt(shot, frame) == SectionFrame && rgbAt(shot, Left.center()) == 0;
    })) << savePng(shot, "section-after-plugging-in");
    key("Escape");
}

} // namespace
} // namespace vantor::desk
