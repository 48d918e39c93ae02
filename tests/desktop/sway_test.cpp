// The program on a Wayland desktop with the desktop's services (sway, XWayland, screencopy, the
// portals), under a native Wayland window that XWayland's copies cannot see: captures bound to
// keys in the desktop's own shortcuts, a panel's snap, the lens, the window in front and the
// painter's frozen screen all hold that window's pixels.
#include "colourpattern.h"
#include "harness.h"

namespace vantor::desk {
namespace {

// The output as the desktop shows it, native windows too.
QImage waylandScreen() {
    const std::string file = artifactDir() + "/grim.ppm";
    Process grim({"grim", "-t", "ppm", file});
    QImage shown;
    if (grim.waitForExit() == 0)
        shown.load(QString::fromStdString(file));
    return shown.convertToFormat(QImage::Format_RGB32);
}

// Clicks the item of the open menu whose text holds word, once the desktop shows it: the seat has
// no keyboard of XWayland's to walk the menu with.
void clickItem(const QRect& menu, const QString& word) {
    QRect item;
    if (!waitFor([&] { return !(item = ocrFind(waylandScreen().copy(menu), word)).isEmpty(); }))
        ADD_FAILURE() << "no menu item " << word;
    click(menu.topLeft() + item.center());
}

void swaymsg(const std::string& command) {
    Process message({"swaymsg", command});
    EXPECT_EQ(message.waitForExit(), 0) << command << ": " << message.stderrText();
}

class SwayTest : public DesktopTest {
protected:
    // Shows the native client over the whole output, then starts the program.
    void start(std::vector<std::string> env) {
        m_client = std::make_unique<Process>(std::vector<std::string>{VANTOR_COLOUR_CLIENT},
                                             std::vector<std::string>{"QT_QPA_PLATFORM=wayland"});
        if (!waitFor([&] { return showsPattern(waylandScreen(), m_pattern); }))
            FAIL() << "the native client did not show";
        useImagesFolder();
        env.insert(env.end(), {"LANG=en_US.UTF-8", "LC_ALL", "LC_MESSAGES", "QT_QPA_PLATFORM"});
        m_program = &launch(env);
        waitForWindow("frmToolbar");
    }
    // Hands the command to the running copy as a desktop's shortcut does.
    void run(const std::string& command) {
        Process second({m_programFile, "--run", command});
        EXPECT_EQ(second.waitForExit(), 0) << command << ": " << second.stderrText();
    }
    void TearDown() override {
        DesktopTest::TearDown();
        m_client.reset();
    }

    const QImage m_pattern = colourPattern(QSize(1920, 1080));
    const std::string m_programFile = std::getenv("VANTOR_PROGRAM");
    std::unique_ptr<Process> m_client;
};

TEST_F(SwayTest, CapturesThePanelTheLensAndThePainterHoldANativeWindowsPixels) {
    start({});
    swaymsg("bindsym ctrl+1 exec " + m_programFile + " --run capture-screen");
    // Typed into the native window, which has the focus; sway runs the bound command.
    Process typed({"wtype", "-M", "ctrl", "1", "-m", "ctrl"});
    ASSERT_EQ(typed.waitForExit(), 0) << typed.stderrText();
    EXPECT_TRUE(showsPattern(savedCapture(1), m_pattern));

    // XWayland's pointer, moved through XTest, opens the toolbar; its menu adds a panel, whose
    // snap hides it, copies what the native window shows under it and shows it again in place.
    moveMouse(QPoint(960, 0));
    const WindowInfo bar =
        waitForWindow("frmToolbar", [](const QRect& shown) { return shown.top() == 0; });
    clickItem(openMenuAt(bar.rect.center()), QStringLiteral("section"));
    const WindowInfo panel = waitForWindow("frmFrame");
    // Where sway has placed it and drawn it, which is not yet so when it is first mapped.
    QRect place;
    ASSERT_TRUE(waitFor([&] {
        place = windowRect(panel.id);
        return rgbAt(waylandScreen(), place.center()) == Yellow;
    }));
    EXPECT_EQ(snap(panel, 2), m_pattern.copy(place));
    EXPECT_EQ(windowRect(panel.id), place);

    // The lens magnifies what lies around the pointer: the red block there.
    moveMouse(QPoint(300, 250));
    run("lens");
    const WindowInfo lens = waitForWindow("frmZoom");
    const auto lensShows = [&](unsigned rgb) {
        return waitFor([&] { return rgbAt(waylandScreen(), lens.rect.center()) == rgb; });
    };
    EXPECT_TRUE(lensShows(Red));
    savePng(waylandScreen().copy(lens.rect), "lens");

    // The native window, floated to a place and size of its own and given the focus (which the
    // clicks on the program's windows take), leaves its blue under the still pointer: the lens
    // follows what the compositor draws anew there. Then it is the window in front, as sway
    // tells it.
    swaymsg("[title=\"colour client\"] floating enable, resize set 800 600, move position 250 50, "
            "focus");
    const QImage small = colourPattern(QSize(800, 600));
    ASSERT_TRUE(waitFor([&] {
        const QImage shown = waylandScreen();
        return rgbAt(shown, QPoint(250 + 150, 50 + 200)) == Red &&
               rgbAt(shown, QPoint(250 + 799, 50 + 599)) == rgbAt(small, QPoint(799, 599));
    })) << "the native client did not move";
    EXPECT_TRUE(lensShows(rgbAt(small, QPoint(50, 200))));
    clickItem(openMenuAt(lens.rect.center()), QStringLiteral("Close"));
    ASSERT_TRUE(closed("frmZoom"));
    // Gone from the screen too, where it lay over the window, before that is captured.
    ASSERT_TRUE(waitFor(
        [&] { return waylandScreen().copy(QRect(QPoint(250, 50), small.size())) == small; }));
    swaymsg("[title=\"colour client\"] focus");
    run("capture-window");
    EXPECT_EQ(savedCapture(3), small);
    EXPECT_TRUE(savedFiles().at(2).contains("capture.window"));
    swaymsg("[title=\"colour client\"] floating disable");
    ASSERT_TRUE(waitFor([&] { return showsPattern(waylandScreen(), m_pattern); }));

    run("painter");
    waitForWindow("frmScreenPainter");
    // With the native window gone, only the frozen screen still shows its pixels.
    m_client.reset();
    EXPECT_TRUE(waitFor([&] { return showsPattern(waylandScreen(), m_pattern); }));
    savePng(waylandScreen(), "painter");
}

// Where the user chose the desktop's portal, captures come through it, and its file does not
// stay behind.
TEST_F(SwayTest, ThePortalsCopyWhereTheUserChoseIt) {
    start({"VANTOR_SCREEN_COPIES=portal"});
    run("capture-screen");
    EXPECT_TRUE(showsPattern(savedCapture(1), m_pattern));
    const std::string said = m_program->stderrText();
    EXPECT_NE(said.find("screen copies from the desktop's Screenshot portal; the lens from the "
                        "compositor's screencopy"),
              std::string::npos)
        << said;
}

} // namespace
} // namespace vantor::desk
