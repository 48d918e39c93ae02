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

    // Opens the tray menu, with options its Options submenu too from the keyboard, and waits until
    // the last menu opened is drawn: more than a plain fill, and still for a while (its items and
    // the highlight of the first one are drawn in turn).
    QImage menuShot(const std::string& name, bool options = false) {
        openTrayMenu();
        for (int i = 0; options && i < Options; ++i)
            key("Down");
        if (options)
            key("Right");
        QImage shot;
        waitFor([&] {
            const std::vector<WindowInfo> menus = popupsOf(pid());
            if (menus.size() != (options ? 2u : 1u))
                return false;
            shot = screenshot(menus.back().rect);
            return !uniform(shot) &&
                   holdsFor([&] { return screenshot(menus.back().rect) == shot; }, 300ms);
        });
        savePng(shot, name);
        return shot;
    }

private:
    std::unique_ptr<Process> m_tray;
};

TEST_F(ShellTest, IconDocksWithItsMenuInTheUsersLanguageWhoseExitEndsTheProgramWithStatusZero) {
    launchDocked(Italian);
    EXPECT_FALSE(uniform(screenshot(trayIconRect(pid())))) << "the icon shows no picture";
    EXPECT_EQ(dockedIconCount(), 1);
    const QString text = ocr(menuShot("menu"));
    EXPECT_TRUE(text.startsWith("Aggiungi righello") && text.endsWith("Uscita")) << text;
    // With no item under the cursor, Up selects the last item, "Exit".
    key("Up Return");
    EXPECT_EQ(m_program->waitForExit(10s), 0);
    EXPECT_TRUE(waitFor([] { return dockedIconCount() == 0; }));
}

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
// wrote it; choosing the item writes or removes it.
TEST_F(ShellTest, StartAtLoginWritesAndRemovesTheAutostartEntryItsCheckMarkFollows) {
    QFile entry(qEnvironmentVariable("XDG_CONFIG_HOME") + "/autostart/vantor-screen-tools.desktop");
    launchDocked();
    // Up picks the submenu's last item.
    const auto choose = [&] {
        key("Up Return");
        ASSERT_TRUE(menusGone());
    };
    const QImage unchecked = menuShot("1-unchecked", true);
    EXPECT_FALSE(entry.exists()) << "written before it was chosen";
    choose();
    // The menu closes before the program acts on the item it closed with.
    EXPECT_TRUE(waitFor([&] { return entry.exists(); }));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly)) << "no autostart entry";
    const QByteArray written = entry.readAll();
    entry.close();
    EXPECT_TRUE(written.contains("\nExec=" + qgetenv("VANTOR_PROGRAM") + "\n"));
    const QImage checked = menuShot("2-checked", true);
    EXPECT_NE(checked, unchecked) << "no check mark";
    choose();
    EXPECT_TRUE(waitFor([&] { return !entry.exists(); })) << "unchecking left the entry";

    ASSERT_TRUE(entry.open(QIODevice::WriteOnly) && entry.write(written) == written.size());
    entry.close();
    EXPECT_EQ(menuShot("3-written-by-another", true), checked);
    key("Escape Escape");
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
