// The tray icon, its menu, single-instance start and exit, with real input on a real X server.
#include "harness.h"

#include <QFile>

#include <algorithm>
#include <csignal>
#include <cstdlib>

namespace vantor::desk {
namespace {

// Every pixel of the screenshot is the same.
bool uniform(const QImage& image) {
    QImage plain(image.size(), image.format());
    plain.fill(image.pixel(0, 0));
    return image == plain;
}

// Each test gets a tray host of its own, so no icon of an earlier test is left in it.
class ShellTest : public DesktopTest {
protected:
    // The tray host goes after the programs, which TearDown stops.
    void SetUp() override { m_tray = startTrayHost(); }

    // Opens the tray menu and waits until it is drawn: two screenshots in a row agree and show
    // more than a plain fill.
    QImage menuShot(const std::string& name) {
        const QRect menu = openTrayMenu();
        QImage shot;
        waitFor([&] {
            const QImage previous = shot;
            shot = screenshot(menu);
            return shot == previous && !uniform(shot);
        });
        savePng(shot, name);
        return shot;
    }

private:
    std::unique_ptr<Process> m_tray;
};

struct MenuCase {
    std::vector<std::string> env;
    QString first, last;
};

class ShellMenuTest : public ShellTest, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(ShellMenuTest, IconDocksAndARightClickOpensTheMenuInTheUsersLanguage) {
    launchDocked(GetParam().env);
    EXPECT_FALSE(uniform(screenshot(trayIconRect(pid())))) << "the icon shows no picture";
    EXPECT_EQ(dockedIconCount(), 1);
    const QString text = ocr(menuShot("menu"));
    EXPECT_EQ(text.section(QLatin1Char('\n'), 0, 0).trimmed(), GetParam().first) << text;
    EXPECT_TRUE(text.endsWith(GetParam().last)) << text;
    key("Escape");
    EXPECT_TRUE(menusGone());
    EXPECT_TRUE(m_program->running());
}

INSTANTIATE_TEST_SUITE_P(Languages, ShellMenuTest,
                         ::testing::Values(MenuCase{English, "Add rule", "Exit"},
                                           MenuCase{Italian, "Aggiungi righello", "Uscita"}));

TEST_F(ShellTest, SecondInstanceEndsAtOnceWithoutAWordAndLeavesOneIcon) {
    Process& first = launchDocked();
    // The same display however DISPLAY spells it: with the screen, or as a local socket.
    const std::string display = std::getenv("DISPLAY");
    for (const std::string& spelling : {display, display + ".0", "unix" + display + ".0"}) {
        std::vector<std::string> env = English;
        env.push_back("DISPLAY=" + spelling);
        Process& second = launch(env);
        EXPECT_EQ(second.waitForExit(10s), 0) << spelling;
        EXPECT_EQ(second.stdoutText() + second.stderrText(), "") << spelling;
    }
    EXPECT_TRUE(holdsFor([] { return dockedIconCount() == 1; }, 1s));
    EXPECT_TRUE(first.running());
}

TEST_F(ShellTest, ExitChosenFromTheMenuEndsTheProgramWithStatusZero) {
    launchDocked();
    openTrayMenu();
    // With no item under the cursor, Up selects the last item, "Exit".
    key("Up Return");
    EXPECT_EQ(m_program->waitForExit(10s), 0);
    EXPECT_TRUE(waitFor([] { return dockedIconCount() == 0; }));
}

// Qt's tray widget takes a right press soon after the one before for a double-click; after a
// choice from the keyboard no other press lies between. Every opening here is a single
// right-click: none may be swallowed by the one before.
TEST_F(ShellTest, MenuOpensOnEveryRightClickAfterItemsChosenWithKeyboardOrMouse) {
    launchDocked();
    // Each choice of "Join rules" flips its check mark.
    const QImage unchecked = menuShot("1-unchecked");
    chooseItem(JoinRules);
    const QImage checked = menuShot("2-checked");
    ASSERT_EQ(checked.size(), unchecked.size());
    ASSERT_NE(checked, unchecked) << "the check mark did not change";
    chooseItem(JoinRules);
    EXPECT_EQ(menuShot("3-unchecked"), unchecked) << "the check mark did not go";

    // The item chosen with the mouse this time.
    const QRect join = ocrFind(checked, "Join");
    ASSERT_FALSE(join.isEmpty()) << "no \"Join rules\" in the menu";
    click(popupsOf(pid()).at(0).rect.topLeft() + join.center());
    ASSERT_TRUE(menusGone());
    EXPECT_EQ(menuShot("4-checked"), checked) << "the click did not set the check mark";
    key("Escape");
    ASSERT_TRUE(menusGone());
    menuShot("5-after-escape");
    key("Escape");
}

// The item's check mark shows whether the autostart entry is there, also when another program
// wrote or removed it; choosing the item writes or removes it.
TEST_F(ShellTest, StartAtLoginWritesAndRemovesTheAutostartEntryItsCheckMarkFollows) {
    const QString entry =
        qEnvironmentVariable("XDG_CONFIG_HOME") + "/autostart/vantor-screen-tools.desktop";
    launchDocked();
    // The Options submenu opened from the keyboard, once its picture has held still for a while
    // (its items and the highlight of the first one are drawn in turn); Up picks its last item.
    const auto optionsShot = [&](const std::string& name) {
        openTrayMenu();
        for (int i = 0; i < Options; ++i)
            key("Down");
        key("Right");
        QImage shot;
        waitFor([&] {
            const std::vector<WindowInfo> menus = popupsOf(pid());
            if (menus.size() != 2)
                return false;
            shot = screenshot(menus.back().rect);
            return !uniform(shot) &&
                   holdsFor([&] { return screenshot(menus.back().rect) == shot; }, 300ms);
        });
        return savePng(shot, name), shot;
    };
    const auto choose = [&] {
        key("Up Return");
        ASSERT_TRUE(menusGone());
    };
    const QImage unchecked = optionsShot("1-unchecked");
    EXPECT_FALSE(QFile::exists(entry)) << "written before it was chosen";
    choose();
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "no autostart entry";
    EXPECT_TRUE(file.readAll().contains("\nExec=" + qgetenv("VANTOR_PROGRAM") + "\n"));
    const QImage checked = optionsShot("2-checked");
    EXPECT_NE(checked, unchecked) << "no check mark";
    key("Escape Escape");
    ASSERT_TRUE(menusGone());

    ASSERT_TRUE(QFile::remove(entry));
    EXPECT_EQ(optionsShot("3-removed"), unchecked);
    choose();
    EXPECT_EQ(optionsShot("4-chosen-again"), checked);
    choose();
    EXPECT_FALSE(QFile::exists(entry)) << "unchecking left the entry";
}

TEST_F(ShellTest, LockOfAKilledInstanceDoesNotBlockTheNextStart) {
    launchDocked().signal(SIGKILL);
    EXPECT_EQ(m_program->waitForExit(5s), 128 + SIGKILL);
    launchDocked();
    EXPECT_TRUE(waitFor([] { return dockedIconCount() == 1; }));
}

// The session of this file starts without a tray; this test starts one late.
TEST_F(DesktopTest, ProgramWaitsForATrayAndDocksWhenOneStarts) {
    ASSERT_TRUE(waitFor([] { return !trayHostRunning(); }));
    Process& program = launch();
    ASSERT_TRUE(waitFor([&] { return !program.stderrText().empty(); }))
        << "the program did not say that it waits for a tray";
    EXPECT_TRUE(program.running());
    const auto tray = startTrayHost();
    EXPECT_TRUE(waitFor([&] { return !trayIconRect(program.pid()).isEmpty(); }));
    const std::string said = program.stderrText();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("tray"), std::string::npos) << said;
}

} // namespace
} // namespace vantor::desk
