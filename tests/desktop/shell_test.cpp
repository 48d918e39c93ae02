// The tray icon, its menu, single-instance start and exit, with real input on a real X server.
#include "harness.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>

namespace vantor::desk {
namespace {

const std::vector<std::string> english = {"LANG=en_US.UTF-8", "LC_ALL", "LC_MESSAGES"};
const std::vector<std::string> italian = {"LANG=it_IT.UTF-8", "LC_ALL", "LC_MESSAGES"};

std::vector<XWindow> ids(const std::vector<WindowInfo>& windows) {
    std::vector<XWindow> result;
    for (const WindowInfo& w : windows)
        result.push_back(w.id);
    return result;
}

bool uniform(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(0, 0))
                return false;
    return true;
}

QString firstLine(const QString& text) {
    return text.section(QLatin1Char('\n'), 0, 0).trimmed();
}

// Each test gets a tray host of its own, so no icon of an earlier test is left in it.
class ShellTest : public DesktopTest {
protected:
    void SetUp() override { m_tray = std::make_unique<TrayHost>(); }
    void TearDown() override {
        DesktopTest::TearDown();
        m_tray.reset();
    }

    // Starts the program and waits until its icon is in the tray.
    Process& launchDocked(const std::vector<std::string>& env = english) {
        Process& program = launch(env);
        EXPECT_FALSE(waitForDockedIcon(program.pid()).isEmpty())
            << "the icon of process " << program.pid() << " did not dock";
        return program;
    }

    // Right-clicks the icon and waits for the menu; the menu's rectangle, empty if none came.
    QRect openMenu(const Process& program) {
        const QRect icon = trayIconRect(program.pid());
        if (icon.isEmpty())
            return {};
        click(icon.center(), Button::Right);
        waitFor([&] { return popupsOf(program.pid()).size() == 1; });
        const std::vector<WindowInfo> popups = popupsOf(program.pid());
        return popups.size() == 1 ? popups.front().rect : QRect();
    }

private:
    std::unique_ptr<TrayHost> m_tray;
};

TEST_F(ShellTest, IconDocksInTheTrayAndShowsAPicture) {
    Process& program = launchDocked();
    const QRect icon = trayIconRect(program.pid());
    ASSERT_FALSE(icon.isEmpty());
    // The tray sits in the bottom right corner of the screen.
    EXPECT_GT(icon.left(), 1700);
    EXPECT_GT(icon.top(), 1000);
    EXPECT_FALSE(uniform(screenshot(icon))) << "the icon shows no picture";
    EXPECT_EQ(dockedIconCount(), 1);
}

TEST_F(ShellTest, RightClickOpensTheMenuInEnglish) {
    Process& program = launchDocked(english);
    const QRect menu = openMenu(program);
    ASSERT_FALSE(menu.isEmpty()) << "no menu opened";
    savePng(screenshot(), "menu-open");
    const QString text = ocr(screenshot(menu));
    EXPECT_EQ(firstLine(text), QStringLiteral("Add rule")) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("Exit"))) << text.toStdString();
    key("Escape");
    EXPECT_TRUE(waitFor([&] { return popupsOf(program.pid()).empty(); }));
    EXPECT_TRUE(program.running());
}

TEST_F(ShellTest, RightClickOpensTheMenuInItalianUnderAnItalianLocale) {
    Process& program = launchDocked(italian);
    const QRect menu = openMenu(program);
    ASSERT_FALSE(menu.isEmpty()) << "no menu opened";
    savePng(screenshot(), "menu-open");
    const QString text = ocr(screenshot(menu));
    EXPECT_EQ(firstLine(text), QStringLiteral("Aggiungi righello")) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("Uscita"))) << text.toStdString();
}

TEST_F(ShellTest, LeftClickAndDoubleClickOnTheIconOpenNothing) {
    Process& program = launchDocked();
    const QRect icon = trayIconRect(program.pid());
    ASSERT_FALSE(icon.isEmpty());
    const std::vector<XWindow> before = ids(visibleWindowsOf(program.pid()));
    click(icon.center(), Button::Left);
    doubleClick(icon.center(), Button::Left);
    // Nothing announces that a click was ignored, so watch for a while that nothing appears.
    EXPECT_TRUE(holdsFor([&] { return ids(visibleWindowsOf(program.pid())) == before; }, 1500ms));
    // The program did see the clicks: it still answers the right button.
    EXPECT_FALSE(openMenu(program).isEmpty());
}

TEST_F(ShellTest, SecondInstanceEndsAtOnceWithoutAWordAndLeavesOneIcon) {
    Process& first = launchDocked();
    // The same display however DISPLAY spells it: with the screen, or as a local socket.
    const std::string display = std::getenv("DISPLAY");
    for (const std::string& spelling : {display, display + ".0", "unix" + display + ".0"}) {
        SCOPED_TRACE(spelling);
        std::vector<std::string> env = english;
        env.push_back("DISPLAY=" + spelling);
        Process& second = launch(env);
        EXPECT_EQ(second.waitForExit(10s), 0);
        EXPECT_EQ(second.stdoutText(), "");
        EXPECT_EQ(second.stderrText(), "");
    }
    EXPECT_TRUE(holdsFor([] { return dockedIconCount() == 1; }, 1s));
    EXPECT_TRUE(first.running());
}

TEST_F(ShellTest, ExitChosenFromTheMenuEndsTheProgramWithStatusZero) {
    Process& program = launchDocked();
    ASSERT_FALSE(openMenu(program).isEmpty());
    // With no item under the cursor, Up selects the last item, "Exit".
    key("Up");
    key("Return");
    EXPECT_EQ(program.waitForExit(10s), 0);
    EXPECT_TRUE(waitFor([] { return dockedIconCount() == 0; }));
}

TEST_F(ShellTest, ExitClickedWithTheMouseEndsTheProgram) {
    Process& program = launchDocked();
    const QRect menu = openMenu(program);
    ASSERT_FALSE(menu.isEmpty());
    // "Exit" is the bottom item; a point a few pixels above the menu's lower edge is on it.
    click(QPoint(menu.center().x(), menu.bottom() - 10), Button::Left);
    EXPECT_EQ(program.waitForExit(10s), 0);
}

TEST_F(ShellTest, MenuOpensOnEveryRightClickAfterItemsChosenWithKeyboardOrMouse) {
    Process& program = launchDocked();
    // "Join rules" is the second item; each choice flips its check mark.
    const auto chooseJoinWithKeys = [&] {
        key("Down");
        key("Down");
        key("Return");
        return waitFor([&] { return popupsOf(program.pid()).empty(); });
    };
    // Every opening is a single right-click: none may be swallowed by the one before.
    const auto shotOfMenu = [&](const char* name) {
        const QRect menu = openMenu(program);
        if (menu.isEmpty())
            return QImage();
        // Drawn once two screenshots in a row agree and show more than a plain fill.
        QImage shot;
        waitFor([&] {
            const QImage previous = shot;
            shot = screenshot(menu);
            return shot == previous && !uniform(shot);
        });
        savePng(shot, name);
        return shot;
    };

    const QImage unchecked = shotOfMenu("1-unchecked");
    ASSERT_FALSE(unchecked.isNull()) << "no menu on the first right-click";
    ASSERT_TRUE(chooseJoinWithKeys());
    const QImage checked = shotOfMenu("2-checked");
    ASSERT_FALSE(checked.isNull()) << "no menu on the right-click after a keyboard choice";
    ASSERT_EQ(checked.size(), unchecked.size());
    ASSERT_NE(checked, unchecked) << "the check mark did not change";
    ASSERT_TRUE(chooseJoinWithKeys());
    const QImage again = shotOfMenu("3-unchecked");
    ASSERT_FALSE(again.isNull()) << "no menu on the right-click after a second keyboard choice";
    EXPECT_EQ(again, unchecked) << "the check mark did not go";

    // The rows that changed are the check mark's; a click there chooses the item with the mouse.
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < checked.height(); ++y)
        for (int x = 0; x < checked.width(); ++x)
            if (checked.pixel(x, y) != unchecked.pixel(x, y)) {
                top = top < 0 ? y : top;
                bottom = y;
            }
    ASSERT_GE(top, 0);
    const QRect menu = popupsOf(program.pid()).front().rect;
    click(QPoint(menu.center().x(), menu.top() + (top + bottom) / 2), Button::Left);
    ASSERT_TRUE(waitFor([&] { return popupsOf(program.pid()).empty(); }));
    const QImage clicked = shotOfMenu("4-checked");
    ASSERT_FALSE(clicked.isNull()) << "no menu on the right-click after a mouse choice";
    EXPECT_EQ(clicked, checked) << "the click did not set the check mark";
    key("Escape");
    EXPECT_TRUE(waitFor([&] { return popupsOf(program.pid()).empty(); }));
    const QImage afterEscape = shotOfMenu("5-checked");
    EXPECT_FALSE(afterEscape.isNull()) << "no menu on the right-click after Escape";
    key("Escape");
    EXPECT_TRUE(program.running());
}

TEST_F(ShellTest, LockOfAKilledInstanceDoesNotBlockTheNextStart) {
    Process& first = launchDocked();
    first.signal(SIGKILL);
    EXPECT_EQ(first.waitForExit(5s), 128 + SIGKILL);
    Process& second = launchDocked();
    EXPECT_TRUE(second.running());
    EXPECT_TRUE(waitFor([] { return dockedIconCount() == 1; }));
}

// The session of this file starts without a tray; this test starts one late.
class ShellWithoutTrayTest : public DesktopTest {};

TEST_F(ShellWithoutTrayTest, ProgramWaitsForATrayAndDocksWhenOneStarts) {
    ASSERT_TRUE(waitFor([] { return !trayHostRunning(); }));
    Process& program = launch(english);
    ASSERT_TRUE(waitFor([&] { return !program.stderrText().empty(); }))
        << "the program did not say that it waits for a tray";
    EXPECT_TRUE(program.running());
    const TrayHost tray;
    EXPECT_TRUE(waitFor([&] { return !trayIconRect(program.pid()).isEmpty(); }));
    const std::string said = program.stderrText();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("tray"), std::string::npos) << said;
}

} // namespace
} // namespace vantor::desk
