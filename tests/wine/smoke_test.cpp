// The real .exe under Wine, with real input: VANTOR_PROGRAM starts it through Wine in the
// session scripts/windows-test made. Wine docks the tray icons from its own explorer process,
// and gives tool windows no role; windows are told apart by when they appear.
#include "harness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <stdexcept>
#include <thread>
#include <utility>

namespace vantor::desk {
namespace {

// Wine lets a click on its menus and its tray through only now and then when the button goes
// down the moment the pointer arrives and up at once: a hand's click is slower.
void handClick(QPoint at, Button button = Button::Left) {
    moveMouse(at);
    std::this_thread::sleep_for(200ms);
    holdButton(button, true);
    std::this_thread::sleep_for(100ms);
    holdButton(button, false);
}

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

    // Waits for the windows of the program that action shows to hold still; the largest of them.
    // The tray icon's tooltip may come up beside a menu or a tool window, under a resting pointer.
    WindowInfo shownBy(const std::function<void()>& action, Milliseconds timeout = 10s) {
        const std::vector<WindowInfo> before = windowsOf(pid());
        const auto added = [&] {
            std::vector<WindowInfo> now = windowsOf(pid());
            std::erase_if(now, [&](const WindowInfo& w) {
                return std::any_of(before.begin(), before.end(),
                                   [&](const WindowInfo& old) { return old.id == w.id; });
            });
            return now;
        };
        action();
        std::vector<WindowInfo> shown;
        waitFor(
            [&] {
                shown = added();
                return !shown.empty() &&
                       holdsFor([&] { return added().size() == shown.size(); }, 300ms);
            },
            timeout);
        if (shown.empty())
            throw std::runtime_error("no new window showed");
        return *std::max_element(shown.begin(), shown.end(), [](const auto& a, const auto& b) {
            return a.rect.width() * a.rect.height() < b.rect.width() * b.rect.height();
        });
    }

    // Opens the tray menu and waits until it is drawn: two screenshots in a row agree.
    std::pair<QRect, QImage> trayMenu() {
        // Wine loses a right-click now and then on an icon docked a moment ago.
        QRect menu;
        for (int attempt = 0; attempt < 3 && menu.isEmpty(); ++attempt) {
            try {
                menu = shownBy([&] { handClick(icon().center(), Button::Right); }, 3s).rect;
            } catch (const std::runtime_error&) {
            }
        }
        if (menu.isEmpty())
            throw std::runtime_error("no menu on a right-click");
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
        handClick(item.center() + menu.topLeft());
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
    EXPECT_TRUE(text.contains('\n' + GetParam().last)) << text;
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

// At rest the program does not look at the pointer: a window of its own over the toolbar's edge
// tells it when the pointer comes; while the toolbar is open it looks ten times a second. Wine
// knows where the pointer is only over its own windows: the pointer leaves for the tray icon.
TEST_F(WineSmoke, TouchingTheTopEdgeOpensTheToolbarAndLeavingItParksIt) {
    m_program = &launch();
    const QRect tray = icon();
    const auto open = [&] {
        const std::vector<WindowInfo> windows = windowsOf(pid());
        return std::any_of(windows.begin(), windows.end(), [](const WindowInfo& w) {
            return w.rect == QRect((1920 - 346) / 2, 0, 346, 57);
        });
    };
    // Where the tests before left Wine's pointer, which may be the edge.
    moveMouse(tray.center());
    EXPECT_TRUE(waitFor([&] { return !open(); }));
    EXPECT_TRUE(holdsFor([&] { return !open(); }, 1s));
    moveMouse(QPoint(960, 0));
    EXPECT_TRUE(waitFor(open));
    moveMouse(tray.center());
    EXPECT_TRUE(waitFor([&] { return !open(); }));
}

// A Windows program or one of Wine's tools, run to its end; its exit code.
int wine(const std::vector<QString>& arguments, Milliseconds timeout = 60s) {
    std::vector<std::string> argv = {"/usr/lib/wine/wine64"};
    for (const QString& argument : arguments)
        argv.push_back(argument.toStdString());
    return Process(argv).waitForExit(timeout).value_or(-1);
}

constexpr char SettingsKey[] = R"(HKCU\Software\Korvane\Application\vantorScreenTools)";
constexpr char RunKey[] = R"(HKCU\Software\Microsoft\Windows\CurrentVersion\Run)";
constexpr char UninstallKey[] =
    R"(HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\VantorScreenTools)";

bool registryHas(const char* key, const QString& value) {
    return wine({"reg", "query", key, "/v", value}) == 0;
}

// Writes a string value into the registry of Wine's prefix with Wine's own tool; the program
// reads its settings when it uses them.
void setRegistryValue(const std::string& name, const std::string& value,
                      const char* key = SettingsKey) {
    ASSERT_EQ(wine({"reg", "add", key, "/v", QString::fromStdString(name), "/t", "REG_SZ", "/d",
                    QString::fromStdString(value), "/f"}),
              0);
}

// The folder comes from the registry of Wine's prefix, written there by Wine's own tool; the
// program reads it at the snap.
TEST_F(WineSmoke, AGuideAndAPanelShowAndTheSnapIsSavedWhereTheRegistrySays) {
    m_program = &launch();
    icon();
    setRegistryValue("imageSavePath", "Z:" + QDir::toNativeSeparators(images()).toStdString());

    const WindowInfo guide = shownBy([&] { chooseTrayItem("vertical"); });
    EXPECT_EQ(guide.rect.width(), GuideStrip);
    const WindowInfo panel = shownBy([&] { chooseTrayItem("section"); });
    EXPECT_EQ(panel.rect.size(), PanelSize);

    click(panel.rect.topLeft() + SnapButton);
    const QImage saved = savedCapture(1);
    EXPECT_EQ(saved.size(), PanelSize);
    const QString file = savedFiles().value(0);
    EXPECT_TRUE(QFileInfo(file).fileName().startsWith("01) ")) << file;
}

// Wine hands the Windows clipboard to X11's: a paste in an X11 program gets what the program put
// there in the Windows formats.
TEST_F(WineSmoke, APngSnapGoesOntoTheClipboard) {
    m_program = &launch();
    icon();
    setRegistryValue("imageSavePath", "Z:" + QDir::toNativeSeparators(images()).toStdString());
    setRegistryValue("imageFormat", "png");
    setRegistryValue("copyCapturesToClipboard", "1");
    const WindowInfo panel = shownBy([&] { chooseTrayItem("section"); });
    click(panel.rect.topLeft() + SnapButton);
    const QImage saved = savedCapture(1);
    EXPECT_TRUE(savedFiles().value(0).endsWith(".png")) << savedFiles().value(0);
    QImage pasted;
    EXPECT_TRUE(waitFor([&] {
        Process paste({"xclip", "-o", "-selection", "clipboard", "-t", "image/bmp"});
        paste.waitForExit();
        pasted = QImage::fromData(QByteArray::fromStdString(paste.stdoutText()))
                     .convertToFormat(QImage::Format_RGB32);
        return pasted == saved;
    })) << pasted.size();
}

// Explorer, run by Wine as a program of its own, shows the folder in a window named after it.
TEST_F(WineSmoke, ViewImagesFolderOpensTheFolderInExplorer) {
    m_program = &launch();
    icon();
    setRegistryValue("imageSavePath", "Z:" + QDir::toNativeSeparators(images()).toStdString());
    trayMenu();
    // The Options submenu's first row, "View images folder", is enabled once a folder is set.
    for (int i = 0; i < Options; ++i)
        key("Down");
    key("Right Return");
    const std::string name = QFileInfo(images()).fileName().toStdString();
    EXPECT_TRUE(waitFor(
        [&] {
            return !findWindows([&](const WindowInfo& w) {
                        return w.title.find(name) != std::string::npos;
                    }).empty();
        },
        30s))
        << name;
}

// What scripts/package-windows made, named by its end.
QString packageFile(const QString& end) {
    const QDir packages(QString::fromLocal8Bit(qgetenv("VANTOR_WINDOWS_PACKAGES")));
    const QStringList found = packages.entryList({"VantorScreenTools-*-win64" + end});
    if (found.size() != 1)
        throw std::runtime_error("no one *" + end.toStdString() + " in " +
                                 packages.path().toStdString());
    return packages.filePath(found.front());
}

// A folder of the prefix's user, as the Linux side sees it.
QString userFolder(const QString& below) {
    const QDir users(QString::fromLocal8Bit(qgetenv("WINEPREFIX")) + "/drive_c/users");
    for (const QString& user : users.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (user != "Public")
            return users.filePath(user + '/' + below);
    throw std::runtime_error("the Wine prefix has no user folder");
}

std::vector<std::string> running(const QString& program) {
    std::vector<std::string> env = English;
    env.push_back("VANTOR_WINDOWS_EXE=" + program.toStdString());
    return env;
}

TEST_F(WineSmoke, TheSilentInstallerReplacesARunningCopyInPlaceAndItsUninstallerLeavesTheUsers) {
    const QString setup = packageFile("-setup.exe");
    const QString folder = userFolder("AppData/Local/Programs/Vantor Screen Tools");
    const QString program = folder + "/vantor-screen-tools.exe";
    const QString shortcut =
        userFolder("AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Vantor Screen Tools.lnk");
    ASSERT_EQ(wine({setup, "/S"}), 0);
    EXPECT_TRUE(QFileInfo::exists(program));
    EXPECT_TRUE(QFileInfo::exists(folder + "/platforms/qwindows.dll"));
    EXPECT_FALSE(QFileInfo::exists(folder + "/Qt6Test.dll")) << "only what the program needs";
    EXPECT_TRUE(QFileInfo::exists(shortcut));
    EXPECT_TRUE(registryHas(UninstallKey, "DisplayVersion"));
    Process version({"/usr/lib/wine/wine64", program.toStdString(), "--version"});
    ASSERT_EQ(version.waitForExit(30s), 0);
    const QString number = QString::fromStdString(version.stdoutText()).section(' ', 1).trimmed();
    EXPECT_TRUE(setup.endsWith("-" + number + "-win64-setup.exe")) << setup << " " << number;

    // Over a copy that runs: it ends as its Exit would end it, and its files are replaced.
    m_program = &launch(running(program));
    icon();
    EXPECT_EQ(wine({setup, "/S"}), 0);
    EXPECT_EQ(m_program->waitForExit(15s), 0);
    EXPECT_TRUE(QFileInfo::exists(program));

    m_program = &launch(running(program));
    icon();
    chooseTrayItem("Exit");
    EXPECT_EQ(m_program->waitForExit(10s), 0);

    setRegistryValue("imageSavePath", "Z:" + QDir::toNativeSeparators(images()).toStdString());
    setRegistryValue("Vantor Screen Tools", '"' + program.toStdString() + '"', RunKey);
    QFile capture(images() + "/01) kept.bmp");
    ASSERT_TRUE(capture.open(QIODevice::WriteOnly));
    capture.close();
    EXPECT_EQ(wine({folder + "/Uninstall.exe", "/S"}), 0);
    // The uninstaller goes on from a copy of itself in the temporary folder.
    EXPECT_TRUE(waitFor([&] { return !QFileInfo::exists(folder); }, 30s));
    EXPECT_FALSE(QFileInfo::exists(shortcut));
    EXPECT_FALSE(registryHas(UninstallKey, "DisplayName"));
    EXPECT_FALSE(registryHas(RunKey, "Vantor Screen Tools"));
    EXPECT_TRUE(registryHas(SettingsKey, "imageSavePath"));
    EXPECT_TRUE(capture.exists());
}

// A second copy started with --run hands its command to the copy that runs, and says when none
// runs.
TEST_F(WineSmoke, ThePortableZipRunsWhereItIsUnpackedAndTakesExitFromASecondCopy) {
    const QString zip = packageFile(".zip");
    const QTemporaryDir unpacked;
    ASSERT_EQ(Process({"unzip", "-q", zip.toStdString(), "-d", unpacked.path().toStdString()})
                  .waitForExit(60s),
              0);
    const QString program =
        unpacked.filePath(QFileInfo(zip).completeBaseName() + "/vantor-screen-tools.exe");
    m_program = &launch(running(program));
    icon();
    EXPECT_EQ(wine({program, "--run", "exit"}), 0);
    EXPECT_EQ(m_program->waitForExit(10s), 0);
    EXPECT_EQ(wine({program, "--run", "exit"}), 1);
}

} // namespace
} // namespace vantor::desk
