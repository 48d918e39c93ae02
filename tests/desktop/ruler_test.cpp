// Rulers and guide lines added from the tray menu as a user works with them: a ruler's face on the
// screen, dragging and a typed length, the position panel on a scale edge, arrow presses faster
// than the window manager, guides pulled out with Ctrl held, snapping onto a guide and Hide/Show
// all; a guide's red line over another program's window, presses
// beside the line passing through to what lies below, and a drag. Real input on a real X server;
// results are read from the windows and the screen.
#include "harness.h"

namespace vantor::desk {
namespace {

// Where a horizontal ruler is grabbed to drag it: along its scale, in its middle band.
constexpr QPoint Grab(150, RulerThickness / 2);
// Another program's window under a guide.
constexpr unsigned Below = 0x3060C0;
// The colour a guide's strip is drawn in where it lets what lies below show through.
constexpr unsigned KeyColour = 0xFF00FF;

class RulerTest : public DesktopTest {
protected:
    void SetUp() override { launchDocked(); }
    // A failed check may end a test while it holds Ctrl down; the next test must not inherit it.
    void TearDown() override {
        holdKey("Control_L", false);
        DesktopTest::TearDown();
    }

    // Adds a ruler from the tray menu and drags it by its face so that its top-left corner is at
    // topLeft.
    WindowInfo addRulerAt(QPoint topLeft) {
        WindowInfo ruler = addFromTray(AddRule, "frmRule");
        dragWindow(ruler.id, Grab, topLeft);
        ruler.rect = windowRect(ruler.id);
        return ruler;
    }

    // A click without moving gives the ruler the keyboard and leaves it where it is.
    void focus(XWindow ruler) {
        click(windowRect(ruler).topLeft() + Grab);
        ASSERT_TRUE(waitFor([&] { return focusedWindow() == ruler; })) << focusedWindow();
    }
};

TEST_F(RulerTest, NewRulerShowsItsTicksTakesATypedLengthAndShowsThePositionPanelOnAScaleEdge) {
    const WindowInfo ruler = addFromTray(AddRule, "frmRule");
    const QImage shot = screenshot(ruler.rect);
    savePng(shot, "ruler");
    // Long ticks at every hundred are much brighter than the face beside them.
    for (const int x : {100, 200, 300})
        EXPECT_GT(qGray(shot.pixel(x, 5)), qGray(shot.pixel(x + 1, 5)) + 60) << x;
    const QPoint at(400, 300);
    dragWindow(ruler.id, Grab, at);
    openMenuAt(windowRect(ruler.id).center());
    chooseItem(2); // Set lenght
    // The length box comes up above the rulers and takes the keyboard.
    windowTitled("Set lenght");
    key("Control_L+a 4 0 0 Return");
    EXPECT_TRUE(waitFor([&] { return windowRect(ruler.id) == QRect(at, QSize(400, 44)); }));

    const auto panel = [&] {
        const std::vector<WindowInfo> found = windowsOf(pid(), "frmPositionInfo");
        return found.size() == 1 ? found.front().rect : QRect();
    };
    moveMouse(QPoint(300, 200));
    ASSERT_TRUE(waitFor([&] { return panel().isEmpty(); }));
    const QPoint onEdge = at + QPoint(40, 3);
    moveMouse(onEdge - QPoint(1, 0));
    moveMouse(onEdge);
    ASSERT_TRUE(waitFor([&] { return panel().topLeft() == onEdge + QPoint(15, 15); }))
        << "panel at " << panel().x() << "," << panel().y();
    savePng(screenshot(), "position-panel");
    moveMouse(at + QPoint(120, RulerThickness / 2));
    EXPECT_TRUE(waitFor([&] { return panel().isEmpty(); })) << "the panel stayed";
}

// A nudge counted from the last place the window manager reported loses the steps it has not
// confirmed yet.
TEST_F(RulerTest, ArrowPressesFasterThanTheWindowManagerConfirmsLoseNoStep) {
    const XWindow first = addRulerAt(QPoint(200, 200)).id;
    const XWindow second = addRulerAt(QPoint(700, 500)).id;
    const auto reaches = [&](QPoint firstAt, QPoint secondAt) {
        EXPECT_TRUE(waitFor([&] {
            return windowRect(first).topLeft() == firstAt &&
                   windowRect(second).topLeft() == secondAt;
        })) << "rulers at "
            << windowRect(first).x() << "," << windowRect(first).y();
    };
    const auto press20 = [](const std::string& name) {
        for (int i = 0; i < 20; ++i)
            key(name);
    };

    focus(first);
    press20("Right");
    reaches(QPoint(220, 200), QPoint(700, 500));
    EXPECT_TRUE(holdsFor([&] { return windowRect(first).x() == 220; }, 300ms));
    // Turning back at once asks for places the window manager is still reporting.
    key("Right Right Left Left Left Right Left");
    reaches(QPoint(219, 200), QPoint(700, 500));

    chooseTrayItem(JoinRules);
    focus(first);
    press20("Down");
    reaches(QPoint(219, 220), QPoint(700, 520));
}

TEST_F(RulerTest, CtrlDragOutOfARulerPreviewsALineAndLeavesAGuideWhereItEnds) {
    const WindowInfo ruler = addRulerAt(QPoint(300, 200));
    const PatternWindow below(QRect(200, 400, 1000, 400), 0xFFFFFF);
    const QPoint grab = ruler.rect.topLeft() + QPoint(100, 22);
    holdKey("Control_L", true);
    moveMouse(grab);
    holdButton(Button::Left, true);
    for (int y = grab.y(); y <= 600; y += 40)
        moveMouse(QPoint(grab.x() + (y - grab.y()) / 2, y));
    moveMouse(QPoint(700, 650));
    // A horizontal ruler previews a horizontal line across the screen on the cursor's row, black
    // at low opacity: darker than the white window below, but not black.
    ASSERT_TRUE(waitFor([&] {
        const auto lines = windowsOf(pid(), "frmGridDraw");
        return lines.size() == 1 && lines.front().rect == QRect(0, 650, 1920, 1);
    })) << "no preview line on row 650";
    ASSERT_TRUE(waitFor([&] { return qGray(screenshot().pixel(400, 650)) < 230; }));
    savePng(screenshot(), "preview-line");
    EXPECT_GT(qGray(screenshot().pixel(400, 650)), 60);
    holdButton(Button::Left, false);
    holdKey("Control_L", false);

    // The guide is centred on the release row; its red line lies one row above it.
    const auto guides = [&] { return windowsOf(pid(), "frmGridLine"); };
    ASSERT_TRUE(waitFor([&] { return guides().size() == 1; })) << "no guide after the release";
    EXPECT_EQ(guides().front().rect, QRect(0, 650 - GuideStrip / 2, 1920, GuideStrip));
    EXPECT_TRUE(waitFor([&] { return windowsOf(pid(), "frmGridDraw").empty(); }));
    EXPECT_TRUE(waitFor([&] { return rgbAt(screenshot(), QPoint(400, 649)) == Red; }));
    savePng(screenshot(), "guide-made");
}

TEST_F(RulerTest, RulerSnapsOntoAGuideAndHideShowAllBringsBothBackInPlace) {
    const WindowInfo ruler = addRulerAt(QPoint(200, 300));
    const WindowInfo guide = addFromTray(AddGuide, "frmGridLine");
    // The guide's column c: its red line is on c - 1, where a snapped ruler's outermost pixel
    // goes.
    const int c = guide.rect.left() + GuideStrip / 2;
    dragWindow(ruler.id, Grab, QPoint(c + 8, 300), false);
    EXPECT_TRUE(waitFor([&] { return windowRect(ruler.id).topLeft() == QPoint(c - 1, 300); }))
        << "left edge at " << windowRect(ruler.id).x() << ", guide line at " << c - 1;

    // Hide/Show all takes rulers and guides off the screen and brings them back in place.
    const QRect placed = windowRect(ruler.id);
    const auto lineShows = [&] { return rgbAt(screenshot(), QPoint(c - 1, 700)) == Red; };
    ASSERT_TRUE(waitFor(lineShows));
    chooseTrayItem(HideShowAll);
    EXPECT_TRUE(
        waitFor([&] { return !viewable(ruler.id) && !viewable(guide.id) && !lineShows(); }));
    chooseTrayItem(HideShowAll);
    EXPECT_TRUE(waitFor([&] { return viewable(ruler.id) && viewable(guide.id) && lineShows(); }));
    EXPECT_EQ(windowRect(ruler.id), placed);
}

TEST_F(RulerTest, VerticalGuideShowsARedLineLetsPressesBesideItThroughAndFollowsADrag) {
    const WindowInfo guide = addFromTray(AddGuide, "frmGridLine");
    EXPECT_EQ(guide.rect, QRect(guide.rect.left(), 0, GuideStrip, 1080));
    const int line = guide.rect.left() + 9;
    // Another program's window lies under the strip; the guide stays above it.
    const PatternWindow below(QRect(line - 150, 300, 300, 400), Below);
    // The compositor may show the new window a frame before the guide is drawn again above it.
    QImage screen;
    ASSERT_TRUE(waitFor([&] {
        screen = screenshot();
        return rgbAt(screen, QPoint(line + 1, 500)) == Below &&
               rgbAt(screen, QPoint(line, 500)) == Red;
    }));
    savePng(screen, "vertical-guide");
    // Beside the line the strip shows what lies below it, never its key colour.
    EXPECT_EQ(rgbAt(screen, QPoint(line - 1, 500)), Below);
    EXPECT_NE(rgbAt(screen, QPoint(line - 1, 900)), KeyColour);

    // A right press that reached the guide would open its menu.
    click(QPoint(line - 6, 500), Button::Right);
    EXPECT_TRUE(holdsFor([&] { return popupsOf(pid()).empty(); }, 800ms));
    openMenuAt(QPoint(line, 500));
    key("Escape");
    ASSERT_TRUE(menusGone());

    // The strip's centre ends on the cursor: its red line one column before it.
    drag(QPoint(line, 800), QPoint(1300, 820));
    EXPECT_TRUE(waitFor([&] { return windowRect(guide.id) == QRect(1290, 0, GuideStrip, 1080); }))
        << windowRect(guide.id).left();
    EXPECT_TRUE(waitFor([&] { return rgbAt(screenshot(), QPoint(1299, 800)) == Red; }));
}

} // namespace
} // namespace vantor::desk
