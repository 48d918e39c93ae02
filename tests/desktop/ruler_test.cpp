// Rulers and guide lines added from the tray menu as a user works with them: a ruler's face on the
// screen, dragging and a typed length, the position panel on a scale edge, arrow presses alone
// and joined, guides pulled out with Ctrl held; a guide's red line over another
// program's window, presses beside the line passing through to what lies below, a drag, a ruler
// snapping onto it and Hide/Show all. Real input on a real X server; results are read from the
// windows and the screen.
#include "harness.h"

#include <algorithm>
#include <array>

namespace vantor::desk {
namespace {

// Another program's window under a guide.
constexpr unsigned Below = 0x3060C0;

class RulerTest : public DesktopTest {
protected:
    void SetUp() override { launchDocked(); }

    // A click without moving gives the ruler the keyboard and leaves it where it is.
    void focus(XWindow ruler) {
        click(windowRect(ruler).topLeft() + RulerGrab);
        ASSERT_TRUE(waitFor([&] { return focusedWindow() == ruler; })) << focusedWindow();
    }
};

TEST_F(RulerTest, NewRulerShowsItsTicksTakesATypedLengthAndShowsThePositionPanelOnAScaleEdge) {
    const WindowInfo ruler = addFromTray(AddRule, "frmRule");
    // Long ticks at every hundred are much brighter than the face beside them, once the
    // compositor has drawn the new window.
    QImage shot;
    EXPECT_TRUE(waitFor([&] {
        shot = screenshot(ruler.rect);
        return std::ranges::all_of(std::array{100, 200, 300}, [&](int x) {
            return qGray(shot.pixel(x, 5)) > qGray(shot.pixel(x + 1, 5)) + 60;
        });
    })) << savePng(shot, "ruler");
    const QPoint at(400, 300);
    dragWindow(ruler.id, RulerGrab, at);
    openMenuAt(windowRect(ruler.id).center());
    chooseItem(2); // Set lenght
    // The length box comes up above the rulers and takes the keyboard.
    waitForWindow("Set lenght");
    key("Control_L+a 4 0 0 Return");
    EXPECT_TRUE(waitFor([&] { return windowRect(ruler.id) == QRect(at, QSize(400, 44)); }));

    moveMouse(QPoint(300, 200));
    ASSERT_TRUE(closed("frmPositionInfo"));
    moveMouse(at + QPoint(39, 3));
    moveMouse(at + QPoint(40, 3));
    waitForWindow("frmPositionInfo");
    savePng(screenshot(), "position-panel");
    moveMouse(at + QPoint(120, RulerThickness / 2));
    EXPECT_TRUE(closed("frmPositionInfo")) << "the panel stayed";
}

// Twenty presses come faster than the window manager confirms the moves; none may be lost.
TEST_F(RulerTest, ArrowPressesNudgeTheRulerOrBothJoinedOnesAPixelEach) {
    const XWindow first = addRulerAt(QPoint(200, 200)).id;
    const XWindow second = addRulerAt(QPoint(700, 500)).id;
    const auto pressesReach = [&](const std::string& name, QPoint firstAt, QPoint secondAt) {
        for (int i = 0; i < 20; ++i)
            key(name);
        EXPECT_TRUE(waitFor([&] {
            return windowRect(first).topLeft() == firstAt &&
                   windowRect(second).topLeft() == secondAt;
        })) << "rulers at "
            << windowRect(first).topLeft() << " and " << windowRect(second).topLeft();
    };
    focus(first);
    pressesReach("Right", QPoint(220, 200), QPoint(700, 500));
    chooseTrayItem(JoinRules);
    focus(first);
    pressesReach("Down", QPoint(220, 220), QPoint(700, 520));
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
    // A horizontal ruler previews a line across the screen on the cursor's row, black at low
    // opacity: darker than the white window below, but not black.
    waitForWindow("frmGridDraw");
    ASSERT_TRUE(waitFor([&] { return qGray(screenshot().pixel(400, 650)) < 230; }));
    savePng(screenshot(), "preview-line");
    EXPECT_GT(qGray(screenshot().pixel(400, 650)), 60);
    holdButton(Button::Left, false);
    holdKey("Control_L", false);

    // The guide's red line lies one row above the release row.
    waitForWindow("frmGridLine");
    EXPECT_TRUE(closed("frmGridDraw"));
    EXPECT_TRUE(waitFor([&] { return rgbAt(screenshot(), QPoint(400, 649)) == Red; }));
    savePng(screenshot(), "guide-made");
}

// A vertical guide over another program's window: only its red line shows and takes presses. A
// ruler dragged near it snaps onto the line, and Hide/Show all takes both away and back in place.
TEST_F(RulerTest, GuideShowsItsRedLineLetsPressesBesideThroughAndCatchesARuler) {
    const WindowInfo guide = addFromTray(AddGuide, "frmGridLine");
    const int line = guide.rect.left() + 9;
    const PatternWindow below(QRect(line - 150, 300, 300, 400), Below);
    // The compositor may show the new window a frame before the guide is drawn again above it.
    QImage screen;
    ASSERT_TRUE(waitFor([&] {
        screen = screenshot();
        return rgbAt(screen, QPoint(line + 1, 500)) == Below &&
               rgbAt(screen, QPoint(line, 500)) == Red;
    }));
    savePng(screen, "vertical-guide");
    EXPECT_EQ(rgbAt(screen, QPoint(line - 1, 500)), Below);
    // A right press that reached the guide would open its menu.
    click(QPoint(line - 6, 500), Button::Right);
    EXPECT_TRUE(holdsFor([&] { return popupsOf(pid()).empty(); }, 800ms));
    openMenuAt(QPoint(line, 500));
    key("Escape");
    ASSERT_TRUE(menusGone());

    // The strip's centre ends on the cursor: its red line one column before it.
    drag(QPoint(line, 800), QPoint(1300, 820));
    const auto lineShows = [&] { return rgbAt(screenshot(), QPoint(1299, 800)) == Red; };
    EXPECT_TRUE(waitFor(lineShows)) << windowRect(guide.id);
    // Wanted 9 pixels right of the line, the ruler's outermost pixel goes onto it.
    const XWindow ruler = addRulerAt(QPoint(200, 300)).id;
    dragWindow(ruler, RulerGrab, QPoint(1308, 300), false);
    EXPECT_TRUE(waitFor([&] { return windowRect(ruler).topLeft() == QPoint(1299, 300); }))
        << windowRect(ruler);

    chooseTrayItem(HideShowAll);
    EXPECT_TRUE(waitFor([&] { return !viewable(ruler) && !viewable(guide.id) && !lineShows(); }));
    chooseTrayItem(HideShowAll);
    EXPECT_TRUE(waitFor([&] { return viewable(ruler) && viewable(guide.id) && lineShows(); }));
    EXPECT_EQ(windowRect(ruler).topLeft(), QPoint(1299, 300));
}

} // namespace
} // namespace vantor::desk
