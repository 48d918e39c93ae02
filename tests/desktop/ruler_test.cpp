// Rulers added from the tray menu, dragged, nudged, rotated, resized through the dialog and
// deleted, with real input on a real X server.
#include "harness.h"

namespace vantor::desk {
namespace {

const std::vector<std::string> english = {"LANG=en_US.UTF-8", "LC_ALL", "LC_MESSAGES"};

class RulerTest : public DesktopTest {
protected:
    // Starts the program, adds one ruler from the tray menu and returns its window.
    std::optional<WindowInfo> launchWithRuler() {
        m_program = &launch(english);
        if (waitForDockedIcon(m_program->pid()).isEmpty())
            return std::nullopt;
        chooseTrayItem(1);
        if (!waitFor([&] { return rulers().size() == 1; }))
            return std::nullopt;
        return rulers().front();
    }

    // Opens the tray menu and picks its item number n (1 is the first) with the keyboard.
    void chooseTrayItem(int n) {
        click(trayIconRect(m_program->pid()).center(), Button::Right);
        waitFor([&] { return popupsOf(m_program->pid()).size() == 1; });
        for (int i = 0; i < n; ++i)
            key("Down");
        key("Return");
        waitFor([&] { return popupsOf(m_program->pid()).empty(); });
    }

    // Opens a ruler's own menu and picks its item number n.
    void chooseRulerItem(const WindowInfo& ruler, int n) {
        click(ruler.rect.center(), Button::Right);
        waitFor([&] { return popupsOf(m_program->pid()).size() == 1; });
        for (int i = 0; i < n; ++i)
            key("Down");
        key("Return");
        waitFor([&] { return popupsOf(m_program->pid()).empty(); });
    }

    std::vector<WindowInfo> rulers() {
        std::vector<WindowInfo> found;
        for (const WindowInfo& w : visibleWindowsOf(m_program->pid()))
            if (!w.overrideRedirect && (w.rect.width() == 44 || w.rect.height() == 44))
                found.push_back(w);
        return found;
    }

    QRect rulerRect() {
        const std::vector<WindowInfo> found = rulers();
        return found.size() == 1 ? found.front().rect : QRect();
    }

    Process* m_program = nullptr;
};

TEST_F(RulerTest, AddRuleShowsAScaleWithTicks) {
    const std::optional<WindowInfo> ruler = launchWithRuler();
    ASSERT_TRUE(ruler);
    EXPECT_EQ(ruler->rect.size(), QSize(355, 44));
    const QImage shot = screenshot(ruler->rect);
    savePng(shot, "ruler");
    // Long ticks at every hundred are much brighter than the face beside them.
    for (const int x : {100, 200, 300})
        EXPECT_GT(qGray(shot.pixel(x, 5)), qGray(shot.pixel(x + 1, 5)) + 60) << x;
}

TEST_F(RulerTest, DragArrowsRotateSetLenghtAndDelete) {
    const std::optional<WindowInfo> ruler = launchWithRuler();
    ASSERT_TRUE(ruler);
    const QRect start = ruler->rect;
    const QPoint grab = start.topLeft() + QPoint(150, 22);
    drag(grab, grab + QPoint(120, 80));
    ASSERT_TRUE(waitFor([&] { return rulerRect().topLeft() == start.topLeft() + QPoint(120, 80); }))
        << "ruler at " << rulerRect().x() << "," << rulerRect().y();

    key("Up");
    EXPECT_TRUE(
        waitFor([&] { return rulerRect().topLeft() == start.topLeft() + QPoint(120, 79); }));

    const QRect moved = rulerRect();
    chooseRulerItem(rulers().front(), 1);
    EXPECT_TRUE(waitFor([&] { return rulerRect() == QRect(moved.topLeft(), QSize(44, 355)); }));

    chooseRulerItem(rulers().front(), 2);
    ASSERT_TRUE(waitFor([&] { return visibleWindowsOf(m_program->pid()).size() >= 2; }));
    key("a", Ctrl);
    typeText(QStringLiteral("400"));
    key("Return");
    EXPECT_TRUE(waitFor([&] { return rulerRect().size() == QSize(44, 400); }));

    chooseTrayItem(4);
    EXPECT_TRUE(waitFor([&] { return rulers().empty(); }));
}

} // namespace
} // namespace vantor::desk
