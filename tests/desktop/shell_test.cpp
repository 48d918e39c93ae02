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

// The lock is keyed on the display reached, however DISPLAY spells it.
TEST_F(ShellTest, OneInstanceRunsAtATimeAndTheLockOfAKilledOneDoesNotBlockTheNext) {
    launchDocked().signal(SIGKILL);
    EXPECT_EQ(m_program->waitForExit(5s), 128 + SIGKILL);
    Process& first = launchDocked();
    std::vector<std::string> env = English;
    env.push_back("DISPLAY=unix" + std::string(std::getenv("DISPLAY")) + ".0");
    Process& second = launch(env);
    EXPECT_EQ(second.waitForExit(10s), 0);
    EXPECT_EQ(second.stdoutText() + second.stderrText(), "");
    EXPECT_TRUE(holdsFor([] { return dockedIconCount() == 1; }, 1s));
    EXPECT_TRUE(first.running());
}

// Qt's tray widget takes a right press soon after the one before for a double-click; after a
// choice from the keyboard no other press lies between. Every opening here is a single
// right-click, and openMenuAt fails when no menu opens: none may be swallowed by the one before.
TEST_F(ShellTest, MenuOpensOnEveryRightClickAfterItemsChosenWithKeyboardOrMouse) {
    launchDocked();
    chooseTrayItem(AddRule);
    // The first row, "Add rule", chosen with the mouse this time.
    click(openTrayMenu().topLeft() + QPoint(30, 10));
    ASSERT_TRUE(menusGone());
    for (int opening = 0; opening < 2; ++opening) {
        openTrayMenu();
        key("Escape");
        ASSERT_TRUE(menusGone());
    }
    EXPECT_TRUE(waitFor([&] { return windowsOf(pid(), "frmRule").size() == 2; }));
}

// The item's check mark shows whether the autostart entry is there, also when another program
// wrote it; choosing the item writes or removes it.
TEST_F(ShellTest, StartAtLoginWritesAndRemovesTheAutostartEntryItsCheckMarkFollows) {
    QFile entry(qEnvironmentVariable("XDG_CONFIG_HOME") + "/autostart/vantor-screen-tools.desktop");
    launchDocked();
    const QImage unchecked = menuShot("1-unchecked", true);
    EXPECT_FALSE(entry.exists()) << "written before it was chosen";
    // Up picks the submenu's last item; the menu closes before the program acts on it.
    key("Up Return");
    EXPECT_TRUE(waitFor([&] { return entry.exists(); }));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly)) << "no autostart entry";
    const QByteArray written = entry.readAll();
    entry.close();
    EXPECT_TRUE(written.contains("\nExec=" + qgetenv("VANTOR_PROGRAM") + "\n"));
    const QImage checked = menuShot("2-checked", true);
    EXPECT_NE(checked, unchecked) << "no check mark";
    key("Up Return");
    EXPECT_TRUE(waitFor([&] { return !entry.exists(); })) << "unchecking left the entry";

    ASSERT_TRUE(entry.open(QIODevice::WriteOnly) && entry.write(written) == written.size());
    entry.close();
    EXPECT_EQ(menuShot("3-written-by-another", true), checked);
    key("Escape Escape");
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
