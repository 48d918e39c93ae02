// Guide lines added from the tray menu, seen on the screen, clicked through and dragged, with real
// input on a real X server.
#include "harness.h"

namespace vantor::desk {
namespace {

const std::vector<std::string> english = {"LANG=en_US.UTF-8", "LC_ALL", "LC_MESSAGES"};
constexpr unsigned Red = 0xFF0000;
constexpr unsigned Magenta = 0xFF00FF;

unsigned rgbAt(const QImage& image, QPoint at) {
    return image.pixel(at) & 0xFFFFFF;
}

class GuideTest : public DesktopTest {
protected:
    void SetUp() override {
        Process& started = launch(english);
        ASSERT_FALSE(waitForDockedIcon(started.pid()).isEmpty()) << "the icon did not dock";
        program = &started;
    }
    // The open popup menu of the program, or an empty rectangle. Other small override-redirect
    // windows of the program are not menus.
    QRect menuRect() {
        for (const WindowInfo& popup : popupsOf(program->pid()))
            if (popup.rect.height() > 40)
                return popup.rect;
        return {};
    }
    bool menuOpen() { return !menuRect().isEmpty(); }

    // Clicks a tray menu item, given by the distance of its middle below the menu's top edge.
    void chooseTrayItem(int offset, const std::string& name) {
        click(trayIconRect(program->pid()).center(), Button::Right);
        ASSERT_TRUE(waitFor([&] { return menuOpen(); }));
        const QRect menu = menuRect();
        const QPoint item(menu.center().x(), menu.top() + offset);
        moveMouse(item);
        savePng(screenshot(menu), "tray-menu-" + name);
        click(item);
        ASSERT_TRUE(waitFor([&] { return !menuOpen(); }));
    }

    // Adds a guide from the tray menu and returns its window once it is on the screen.
    WindowInfo addGuide(bool vertical) {
        // Items are 22 pixels high below a 9-pixel top margin, and a separator adds 2: Add rule,
        // Join rules, Lock rules, Delete rules, a separator, then the two guide items.
        chooseTrayItem(vertical ? 9 + 4 * 22 + 2 : 9 + 5 * 22 + 2,
                       vertical ? "vertical" : "horizontal");
        std::vector<WindowInfo> found;
        waitFor([&] {
            found = findWindows([&](const WindowInfo& w) {
                return w.pid == program->pid() && w.viewable &&
                       (vertical ? w.rect.width() == 20 && w.rect.height() == 1080
                                 : w.rect.height() == 20 && w.rect.width() == 1920);
            });
            return found.size() == 1;
        });
        EXPECT_EQ(found.size(), 1u);
        return found.empty() ? WindowInfo{} : found.front();
    }

    Process* program = nullptr;
};

TEST_F(GuideTest, MenuAddsAVerticalGuideWithARedLineAndSeeThroughSides) {
    const PatternWindow below(QRect(800, 300, 400, 300), 0x20A040);
    const WindowInfo guide = addGuide(true);
    ASSERT_NE(guide.id, 0u);
    EXPECT_EQ(guide.rect.top(), 0);
    const int line = guide.rect.left() + 9;
    ASSERT_TRUE(waitFor([&] { return rgbAt(screenshot(), QPoint(line, 700)) == Red; }));
    const QImage screen = screenshot();
    savePng(screen, "vertical-guide");
    for (int y : {0, 100, 450, 1000})
        EXPECT_EQ(rgbAt(screen, QPoint(line, y)), Red) << y;
    // Beside the line the strip shows what lies below it, never its key colour.
    EXPECT_EQ(rgbAt(screen, QPoint(line - 1, 450)), 0x20A040u);
    EXPECT_EQ(rgbAt(screen, QPoint(line + 1, 450)), 0x20A040u);
    EXPECT_NE(rgbAt(screen, QPoint(line - 1, 700)), Magenta);
}

TEST_F(GuideTest, MenuAddsAHorizontalGuideAcrossTheScreen) {
    const WindowInfo guide = addGuide(false);
    ASSERT_NE(guide.id, 0u);
    EXPECT_EQ(guide.rect.left(), 0);
    const int line = guide.rect.top() + 9;
    ASSERT_TRUE(waitFor([&] { return rgbAt(screenshot(), QPoint(100, line)) == Red; }));
    const QImage screen = screenshot();
    for (int x : {0, 500, 1500})
        EXPECT_EQ(rgbAt(screen, QPoint(x, line)), Red) << x;
    EXPECT_NE(rgbAt(screen, QPoint(500, line - 1)), Magenta);
}

TEST_F(GuideTest, ClicksOnTheSeeThroughPartReachTheWindowBelow) {
    const WindowInfo guide = addGuide(true);
    ASSERT_NE(guide.id, 0u);
    const int line = guide.rect.left() + 9;
    // Another program's window lies under the strip; the guide stays above it.
    const PatternWindow below(QRect(line - 150, 400, 300, 400), 0x3060C0);
    ASSERT_TRUE(waitFor([&] { return rgbAt(screenshot(), QPoint(line - 6, 600)) == 0x3060C0; }));
    // A right press that reached the guide would open its menu.
    click(QPoint(line - 6, 600), Button::Right);
    EXPECT_TRUE(holdsFor([&] { return !menuOpen(); }, 800ms));
    click(QPoint(line, 600), Button::Right);
    EXPECT_TRUE(waitFor([&] { return menuOpen(); })) << "a press on the red line opened no menu";
    key("Escape");
    EXPECT_TRUE(waitFor([&] { return !menuOpen(); }));
}

TEST_F(GuideTest, DraggingTheLineMovesTheGuideWithTheCursor) {
    const WindowInfo guide = addGuide(true);
    ASSERT_NE(guide.id, 0u);
    const QPoint from(guide.rect.left() + 9, 600);
    drag(from, QPoint(1300, 620));
    // The strip's centre ends on the cursor: its red line one column before it.
    EXPECT_TRUE(waitFor([&] { return windowRect(guide.id).left() == 1290; }))
        << windowRect(guide.id).left();
    EXPECT_EQ(windowRect(guide.id).top(), 0);
    EXPECT_TRUE(waitFor([&] { return rgbAt(screenshot(), QPoint(1299, 800)) == Red; }));
}

TEST_F(GuideTest, DeleteFromTheGuidesMenuRemovesIt) {
    const WindowInfo guide = addGuide(false);
    ASSERT_NE(guide.id, 0u);
    const int line = guide.rect.top() + 9;
    click(QPoint(400, line), Button::Right);
    ASSERT_TRUE(waitFor([&] { return menuOpen(); }));
    // Lock, Delete: the second item.
    key("Down");
    key("Down");
    key("Return");
    EXPECT_TRUE(waitFor([&] {
        return findWindows([&](const WindowInfo& w) { return w.id == guide.id && w.viewable; })
            .empty();
    }));
    EXPECT_TRUE(program->running());
}

} // namespace
} // namespace vantor::desk
