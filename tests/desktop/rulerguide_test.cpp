// Rulers and guide lines together, as a user works with them: guides pulled out of a ruler with
// Ctrl held, rulers snapping onto guides, arrow-key nudges alone and joined, the position panel
// on a scale edge, and the tray menu's Hide/Show all and Delete rules. Real input on a real X
// server; results are read from the windows and the screen.
#include "harness.h"

#include <algorithm>
#include <cstdlib>

namespace vantor::desk {
namespace {

const std::vector<std::string> english = {"LANG=en_US.UTF-8", "LC_ALL", "LC_MESSAGES"};
constexpr unsigned Red = 0xFF0000;
constexpr int RulerThickness = 44;
constexpr int GuideStrip = 20;

// Tray menu items, counted as the Down key walks them (separators are skipped).
constexpr int AddRule = 1;
constexpr int JoinRules = 2;
constexpr int DeleteRules = 4;
constexpr int AddVerticalGuide = 5;
constexpr int SnapToLineGrid = 8;
constexpr int HideShowAll = 9;

unsigned rgbAt(const QImage& image, QPoint at) {
    return image.pixel(at) & 0xFFFFFF;
}

// Holds a key down through the mouse actions of a block, as a hand on the keyboard does, and lets
// it go when the block ends even if a check failed on the way.
class HeldKey {
public:
    explicit HeldKey(std::string name) : m_name(std::move(name)) { xdotool("keydown"); }
    ~HeldKey() { letGo(); }
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;

    void letGo() {
        if (m_down)
            xdotool("keyup");
    }

private:
    void xdotool(const std::string& action) {
        Process tool({"xdotool", action, m_name});
        EXPECT_EQ(tool.waitForExit(10s), 0) << "xdotool " << action << " " << m_name;
        m_down = action == "keydown";
    }

    std::string m_name;
    bool m_down = false;
};

// The window that has the keyboard focus, 0 when none can be read.
XWindow focusedWindow() {
    Process tool({"xdotool", "getwindowfocus"});
    if (tool.waitForExit(10s) != 0)
        return 0;
    return std::strtoul(tool.stdoutText().c_str(), nullptr, 10);
}

class RulerGuideTest : public DesktopTest {
protected:
    void SetUp() override {
        Process& started = launch(english);
        ASSERT_FALSE(waitForDockedIcon(started.pid()).isEmpty()) << "the icon did not dock";
        m_program = &started;
    }

    pid_t pid() const { return m_program->pid(); }

    // Opens the tray menu and picks its item number n (1 is the first) with the keyboard.
    void chooseTrayItem(int n) {
        click(trayIconRect(pid()).center(), Button::Right);
        ASSERT_TRUE(waitFor([&] { return popupsOf(pid()).size() == 1; })) << "no tray menu";
        for (int i = 0; i < n; ++i)
            key("Down");
        key("Return");
        ASSERT_TRUE(waitFor([&] { return popupsOf(pid()).empty(); }));
    }

    std::vector<WindowInfo> rulers() {
        std::vector<WindowInfo> found;
        for (const WindowInfo& w : visibleWindowsOf(pid()))
            if (!w.overrideRedirect &&
                (w.rect.width() == RulerThickness || w.rect.height() == RulerThickness))
                found.push_back(w);
        return found;
    }

    QRect rectOf(XWindow id) {
        for (const WindowInfo& w : visibleWindowsOf(pid()))
            if (w.id == id)
                return w.rect;
        return {};
    }

    bool viewable(XWindow id) {
        return !findWindows([&](const WindowInfo& w) { return w.id == id && w.viewable; }).empty();
    }

    // Guide strips of the given orientation (1 vertical, 2 horizontal) on the screen.
    std::vector<WindowInfo> guides(int align) {
        std::vector<WindowInfo> found;
        for (const WindowInfo& w : visibleWindowsOf(pid()))
            if (align == 1 ? w.rect.width() == GuideStrip && w.rect.height() == 1080
                           : w.rect.height() == GuideStrip && w.rect.width() == 1920)
                found.push_back(w);
        return found;
    }

    // The one-pixel preview line across the screen, vertical (1) or horizontal (2).
    std::vector<WindowInfo> previews(int align) {
        std::vector<WindowInfo> found;
        for (const WindowInfo& w : visibleWindowsOf(pid()))
            if (align == 1 ? w.rect.size() == QSize(1, 1080) : w.rect.size() == QSize(1920, 1))
                found.push_back(w);
        return found;
    }

    // Adds a ruler from the tray menu and drags it so that its top-left corner is at topLeft.
    WindowInfo addRulerAt(QPoint topLeft) {
        const std::vector<WindowInfo> before = rulers();
        chooseTrayItem(AddRule);
        WindowInfo ruler;
        EXPECT_TRUE(waitFor([&] {
            for (const WindowInfo& w : rulers())
                if (std::none_of(before.begin(), before.end(),
                                 [&](const WindowInfo& old) { return old.id == w.id; }))
                    ruler = w;
            return ruler.id != 0;
        })) << "no new ruler";
        if (ruler.id == 0)
            return {};
        dragRuler(ruler.id, topLeft);
        EXPECT_TRUE(waitFor([&] { return rectOf(ruler.id).topLeft() == topLeft; }))
            << "ruler at " << rectOf(ruler.id).x() << "," << rectOf(ruler.id).y();
        ruler.rect = rectOf(ruler.id);
        return ruler;
    }

    // Grabs a horizontal ruler 150 pixels along its scale, in its middle band, and drags it so
    // that its top-left corner would be at wanted if nothing snapped.
    void dragRuler(XWindow id, QPoint wanted) {
        const QPoint grab(150, RulerThickness / 2);
        drag(rectOf(id).topLeft() + grab, wanted + grab);
    }

    Process* m_program = nullptr;
};

TEST_F(RulerGuideTest, CtrlDragOutOfARulerPreviewsAndLeavesAGuideOnlyWithCtrlHeld) {
    const WindowInfo ruler = addRulerAt(QPoint(300, 200));
    ASSERT_NE(ruler.id, 0u);
    const PatternWindow below(QRect(200, 400, 1000, 400), 0xFFFFFF);
    const QPoint grab = ruler.rect.topLeft() + QPoint(100, 22);
    {
        const HeldKey ctrl("Control_L");
        moveMouse(grab);
        press(Button::Left);
        for (int y = grab.y(); y <= 600; y += 40)
            moveMouse(QPoint(grab.x() + (y - grab.y()) / 2, y));
        moveMouse(QPoint(700, 600));
        // A horizontal ruler previews a horizontal line on the cursor's row, following it.
        ASSERT_TRUE(waitFor([&] {
            const auto lines = previews(2);
            return lines.size() == 1 && lines.front().rect.topLeft() == QPoint(0, 600);
        })) << "no preview line on row 600";
        moveMouse(QPoint(700, 650));
        ASSERT_TRUE(waitFor([&] {
            const auto lines = previews(2);
            return lines.size() == 1 && lines.front().rect.y() == 650;
        })) << "the preview did not follow the cursor";
        // Black at low opacity: darker than the white window below, but not black.
        QImage shot;
        ASSERT_TRUE(waitFor([&] {
            shot = screenshot();
            return qGray(shot.pixel(400, 650)) < 230;
        }));
        savePng(shot, "preview-line");
        EXPECT_GT(qGray(shot.pixel(400, 650)), 60);
        EXPECT_EQ(rgbAt(shot, QPoint(400, 651)), 0xFFFFFFu);
        EXPECT_EQ(rgbAt(shot, QPoint(400, 649)), 0xFFFFFFu);
        release(Button::Left);
    }
    // The guide is centred on the release row; its red line lies one row above it.
    std::vector<WindowInfo> made;
    ASSERT_TRUE(waitFor([&] {
        made = guides(2);
        return made.size() == 1;
    })) << "no guide after the release with Ctrl";
    EXPECT_EQ(made.front().rect, QRect(0, 650 - GuideStrip / 2, 1920, GuideStrip));
    EXPECT_TRUE(waitFor([&] { return previews(2).empty(); })) << "the preview stayed";
    ASSERT_TRUE(waitFor([&] { return rgbAt(screenshot(), QPoint(400, 649)) == Red; }));
    const QImage screen = screenshot();
    savePng(screen, "guide-made");
    for (const int x : {0, 400, 1500})
        EXPECT_EQ(rgbAt(screen, QPoint(x, 649)), Red) << x;

    // The same drag let go after Ctrl was released calls the drag-out off.
    {
        HeldKey ctrl("Control_L");
        moveMouse(grab);
        press(Button::Left);
        moveMouse(QPoint(grab.x(), 500));
        moveMouse(QPoint(700, 550));
        ASSERT_TRUE(waitFor([&] {
            const auto lines = previews(2);
            return lines.size() == 1 && lines.front().rect.y() == 550;
        }));
        ctrl.letGo();
        release(Button::Left);
    }
    EXPECT_TRUE(waitFor([&] { return previews(2).empty(); })) << "the preview stayed";
    EXPECT_TRUE(holdsFor([&] { return guides(2).size() == 1; }, 800ms));
    EXPECT_NE(rgbAt(screenshot(), QPoint(400, 549)), Red);
    EXPECT_EQ(rectOf(ruler.id), ruler.rect) << "the ruler moved";
}

TEST_F(RulerGuideTest, RulerSnapsOntoAVerticalGuideUnlessSnappingIsOff) {
    const WindowInfo ruler = addRulerAt(QPoint(200, 300));
    ASSERT_NE(ruler.id, 0u);
    chooseTrayItem(AddVerticalGuide);
    std::vector<WindowInfo> strips;
    ASSERT_TRUE(waitFor([&] {
        strips = guides(1);
        return strips.size() == 1;
    }));
    // The guide's column c: its red line is on c - 1, where a snapped ruler's outermost pixel
    // goes.
    const int c = strips.front().rect.left() + GuideStrip / 2;
    const int width = ruler.rect.width();

    dragRuler(ruler.id, QPoint(c + 8, 300));
    EXPECT_TRUE(waitFor([&] { return rectOf(ruler.id).topLeft() == QPoint(c - 1, 300); }))
        << "left edge at " << rectOf(ruler.id).x() << ", guide line at " << c - 1;
    savePng(screenshot(), "left-edge-snapped");

    dragRuler(ruler.id, QPoint(c - width - 11, 360));
    EXPECT_TRUE(waitFor([&] { return rectOf(ruler.id).topLeft() == QPoint(c - width, 360); }))
        << "right edge at " << rectOf(ruler.id).right() << ", guide line at " << c - 1;
    // The ruler's last column covers the red line; the column beyond it is the guide's own.
    EXPECT_EQ(rectOf(ruler.id).right(), c - 1);

    // Thirteen pixels away is out of reach.
    dragRuler(ruler.id, QPoint(c + 13, 300));
    EXPECT_TRUE(waitFor([&] { return rectOf(ruler.id).topLeft() == QPoint(c + 13, 300); }));

    chooseTrayItem(SnapToLineGrid);
    dragRuler(ruler.id, QPoint(c + 8, 420));
    EXPECT_TRUE(waitFor([&] { return rectOf(ruler.id).topLeft() == QPoint(c + 8, 420); }))
        << "with snapping off the ruler went to " << rectOf(ruler.id).x();
}

TEST_F(RulerGuideTest, ArrowKeysNudgeOneRulerOrAllJoinedRulers) {
    const WindowInfo first = addRulerAt(QPoint(200, 200));
    const WindowInfo second = addRulerAt(QPoint(700, 500));
    ASSERT_NE(first.id, 0u);
    ASSERT_NE(second.id, 0u);
    // Presses the arrow keys one after the other and waits until both rulers are where the
    // presses should put them.
    const auto nudge = [&](const std::vector<std::string>& names, QPoint firstAt, QPoint secondAt) {
        for (const std::string& name : names)
            key(name);
        EXPECT_TRUE(waitFor([&] {
            return rectOf(first.id).topLeft() == firstAt && rectOf(second.id).topLeft() == secondAt;
        })) << "first at "
            << rectOf(first.id).x() << "," << rectOf(first.id).y() << ", second at "
            << rectOf(second.id).x() << "," << rectOf(second.id).y();
    };

    // A click without moving gives the ruler the keyboard and leaves it where it is.
    click(first.rect.topLeft() + QPoint(150, 22));
    ASSERT_TRUE(waitFor([&] { return focusedWindow() == first.id; })) << focusedWindow();
    nudge({"Right", "Right", "Down"}, QPoint(202, 201), QPoint(700, 500));
    EXPECT_TRUE(holdsFor([&] { return rectOf(second.id) == second.rect; }, 500ms));

    chooseTrayItem(JoinRules);
    click(rectOf(first.id).topLeft() + QPoint(150, 22));
    ASSERT_TRUE(waitFor([&] { return focusedWindow() == first.id; })) << focusedWindow();
    nudge({"Left", "Up", "Up"}, QPoint(201, 199), QPoint(699, 498));
}

TEST_F(RulerGuideTest, ArrowPressesFasterThanTheWindowManagerConfirmsLoseNoStep) {
    const WindowInfo first = addRulerAt(QPoint(200, 200));
    const WindowInfo second = addRulerAt(QPoint(700, 500));
    ASSERT_NE(first.id, 0u);
    ASSERT_NE(second.id, 0u);
    constexpr int Presses = 20;
    const auto reaches = [&](QPoint firstAt, QPoint secondAt) {
        return waitFor([&] {
            return rectOf(first.id).topLeft() == firstAt && rectOf(second.id).topLeft() == secondAt;
        });
    };
    const auto where = [&] {
        return std::to_string(rectOf(first.id).x()) + "," + std::to_string(rectOf(first.id).y()) +
               " and " + std::to_string(rectOf(second.id).x()) + "," +
               std::to_string(rectOf(second.id).y());
    };

    click(first.rect.topLeft() + QPoint(150, 22));
    ASSERT_TRUE(waitFor([&] { return focusedWindow() == first.id; })) << focusedWindow();
    for (int i = 0; i < Presses; ++i)
        key("Right");
    EXPECT_TRUE(reaches(QPoint(200 + Presses, 200), QPoint(700, 500))) << where();
    EXPECT_TRUE(holdsFor([&] { return rectOf(first.id).x() == 200 + Presses; }, 300ms)) << where();
    // Turning back at once asks for places the window manager is still reporting.
    for (const char* name : {"Right", "Right", "Left", "Left", "Left", "Right", "Left"})
        key(name);
    EXPECT_TRUE(reaches(QPoint(199 + Presses, 200), QPoint(700, 500))) << where();

    chooseTrayItem(JoinRules);
    click(rectOf(first.id).topLeft() + QPoint(150, 22));
    ASSERT_TRUE(waitFor([&] { return focusedWindow() == first.id; })) << focusedWindow();
    for (int i = 0; i < Presses; ++i)
        key("Down");
    EXPECT_TRUE(reaches(QPoint(199 + Presses, 200 + Presses), QPoint(700, 500 + Presses)))
        << where();
}

TEST_F(RulerGuideTest, ScaleEdgeHoverShowsThePositionPanelAndTheMiddleBandClosesIt) {
    const WindowInfo ruler = addRulerAt(QPoint(400, 300));
    ASSERT_NE(ruler.id, 0u);
    moveMouse(QPoint(300, 200));
    // The position panel is the program's only override-redirect window while no menu is open.
    const auto panel = [&]() -> QRect {
        const std::vector<WindowInfo> found = popupsOf(pid());
        return found.size() == 1 ? found.front().rect : QRect();
    };
    ASSERT_TRUE(waitFor([&] { return panel().isEmpty(); }));

    const QPoint onEdge = ruler.rect.topLeft() + QPoint(40, 3);
    moveMouse(onEdge - QPoint(1, 0));
    moveMouse(onEdge);
    ASSERT_TRUE(waitFor([&] { return panel().topLeft() == onEdge + QPoint(15, 15); }))
        << "panel at " << panel().x() << "," << panel().y();
    QImage shot;
    QString text;
    // The panel is drawn once it is mapped; read it until its text is there.
    waitFor(
        [&] {
            shot = screenshot(panel());
            text = ocr(shot);
            return text.contains(QStringLiteral("lunghezza"));
        },
        20s);
    savePng(screenshot(), "position-panel");
    EXPECT_TRUE(text.contains(QStringLiteral("lunghezza: 40"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("posizione: 400"))) << text.toStdString();

    // It follows the cursor along the lower edge too.
    const QPoint lower = ruler.rect.topLeft() + QPoint(120, RulerThickness - 3);
    moveMouse(lower);
    EXPECT_TRUE(waitFor([&] { return panel().topLeft() == lower + QPoint(15, 15); }))
        << "panel at " << panel().x() << "," << panel().y();

    moveMouse(ruler.rect.topLeft() + QPoint(120, RulerThickness / 2));
    EXPECT_TRUE(waitFor([&] { return panel().isEmpty(); })) << "the panel stayed";
}

TEST_F(RulerGuideTest, HideShowAllHidesRulersAndGuidesAndDeleteRulesKeepsGuides) {
    const WindowInfo ruler = addRulerAt(QPoint(300, 300));
    ASSERT_NE(ruler.id, 0u);
    chooseTrayItem(AddVerticalGuide);
    std::vector<WindowInfo> strips;
    ASSERT_TRUE(waitFor([&] {
        strips = guides(1);
        return strips.size() == 1;
    }));
    const XWindow guide = strips.front().id;
    const int line = strips.front().rect.left() + GuideStrip / 2 - 1;
    const QPoint onRuler = ruler.rect.topLeft() + QPoint(100, 4);
    const QImage shown = screenshot();
    ASSERT_EQ(rgbAt(shown, QPoint(line, 700)), Red);

    chooseTrayItem(HideShowAll);
    EXPECT_TRUE(waitFor([&] { return !viewable(ruler.id) && !viewable(guide); }));
    ASSERT_TRUE(waitFor([&] { return rgbAt(screenshot(), QPoint(line, 700)) != Red; }));
    const QImage hidden = screenshot();
    savePng(hidden, "all-hidden");
    EXPECT_NE(hidden.pixel(onRuler), shown.pixel(onRuler)) << "the ruler is still drawn";

    chooseTrayItem(HideShowAll);
    EXPECT_TRUE(waitFor([&] { return viewable(ruler.id) && viewable(guide); }));
    EXPECT_TRUE(waitFor([&] { return rgbAt(screenshot(), QPoint(line, 700)) == Red; }));
    EXPECT_EQ(rectOf(ruler.id), ruler.rect);

    addRulerAt(QPoint(300, 700));
    ASSERT_EQ(rulers().size(), 2u);
    chooseTrayItem(DeleteRules);
    EXPECT_TRUE(waitFor([&] { return rulers().empty(); }));
    EXPECT_TRUE(holdsFor([&] { return viewable(guide); }, 500ms));
    EXPECT_EQ(rgbAt(screenshot(), QPoint(line, 700)), Red);
    EXPECT_TRUE(m_program->running());
}

} // namespace
} // namespace vantor::desk
