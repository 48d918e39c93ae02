// The real .exe under Wine, with real input: VANTOR_PROGRAM starts it through Wine in the
// session scripts/windows-test made. Wine docks the tray icons from its own explorer process,
// and gives tool windows no role; windows are told apart by when they appear.
#include "harness.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace vantor::desk {
namespace {

class WineSmoke : public DesktopTest {
protected:
    // The one icon in the session's tray, once it has settled.
    QRect icon() {
        QRect settled;
        EXPECT_TRUE(waitFor(
            [&] {
                const std::vector<WindowInfo> icons =
                    findWindows([](const WindowInfo& w) { return w.embedded; });
                if (icons.size() != 1)
                    return false;
                settled = icons.front().rect;
                return holdsFor([&] { return dockedIconCount() == 1; }, 300ms);
            },
            20s));
        return settled;
    }

    // Waits for the one window of the program that action shows.
    WindowInfo shownBy(const std::function<void()>& action) {
        const std::vector<WindowInfo> before = windowsOf(pid());
        action();
        std::vector<WindowInfo> added;
        waitFor([&] {
            added = windowsOf(pid());
            std::erase_if(added, [&](const WindowInfo& w) {
                return std::any_of(before.begin(), before.end(),
                                   [&](const WindowInfo& old) { return old.id == w.id; });
            });
            return added.size() == 1;
        });
        if (added.size() != 1)
            throw std::runtime_error("no new window showed");
        return added.front();
    }

    // Opens the tray menu and waits until it is drawn: two screenshots in a row agree.
    std::pair<QRect, QImage> trayMenu() {
        const QRect menu = shownBy([&] { click(icon().center(), Button::Right); }).rect;
        QImage shot;
        waitFor([&] {
            const QImage previous = std::exchange(shot, screenshot(menu));
            return shot == previous && ocr(shot).contains(QLatin1Char('\n'));
        });
        savePng(shot, "menu");
        return {menu, shot};
    }

    // Clicks the tray menu's item that holds the word.
    void chooseTrayItem(const QString& word) {
        const auto [menu, shot] = trayMenu();
        const QRect item = ocrFind(shot, word);
        if (item.isEmpty())
            throw std::runtime_error("no menu item reads " + word.toStdString());
        click(item.center() + menu.topLeft());
    }
};

struct MenuCase {
    std::vector<std::string> env;
    QString first, last;
};

class WineMenu : public WineSmoke, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(WineMenu, TheTrayMenuSpeaksTheUsersLanguageAndExitEndsTheProgram) {
    m_program = &launch(GetParam().env);
    const QString text = ocr(trayMenu().second);
    EXPECT_EQ(text.section(QLatin1Char('\n'), 0, 0).trimmed(), GetParam().first) << text;
    EXPECT_TRUE(text.endsWith(GetParam().last)) << text;
    key("Escape");
    chooseTrayItem(GetParam().last);
    EXPECT_EQ(m_program->waitForExit(10s), 0);
}

INSTANTIATE_TEST_SUITE_P(Languages, WineMenu,
                         ::testing::Values(MenuCase{English, "Add rule", "Exit"},
                                           MenuCase{Italian, "Aggiungi righello", "Uscita"}));

TEST_F(WineSmoke, ASecondInstanceEndsAtOnce) {
    m_program = &launch();
    icon();
    EXPECT_EQ(launch().waitForExit(10s), 0);
    EXPECT_TRUE(holdsFor([] { return dockedIconCount() == 1; }, 1s));
    EXPECT_TRUE(m_program->running());
}

// The folder comes from the registry of Wine's prefix, written there by Wine's own tool.
TEST_F(WineSmoke, AGuideAndAPanelShowAndTheSnapIsSavedWhereTheRegistrySays) {
    const QTemporaryDir images;
    Process reg({"/usr/lib/wine/wine64", "reg", "add",
                 R"(HKCU\Software\Korvane\Application\vantorScreenTools)", "/v", "imageSavePath",
                 "/t", "REG_SZ", "/d", "Z:" + QDir::toNativeSeparators(images.path()).toStdString(),
                 "/f"});
    ASSERT_EQ(reg.waitForExit(30s), 0) << reg.stderrText();
    m_program = &launch();

    const WindowInfo guide = shownBy([&] { chooseTrayItem("vertical"); });
    EXPECT_EQ(guide.rect.width(), GuideStrip);
    const WindowInfo panel = shownBy([&] { chooseTrayItem("section"); });
    EXPECT_EQ(panel.rect.size(), PanelSize);

    click(panel.rect.topLeft() + SnapButton);
    const QImage saved = savedCapture(images.path(), 1);
    EXPECT_EQ(saved.size(), PanelSize);
    const QString file = bitmapsBelow(images.path()).value(0);
    EXPECT_TRUE(QFileInfo(file).fileName().startsWith("01) ")) << file;
}

} // namespace
} // namespace vantor::desk
