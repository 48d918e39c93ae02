// The program on a Wayland desktop with the desktop's services (sway, XWayland, the portals),
// under a native Wayland window that XWayland's copies cannot see: captures, bound to keys in
// the desktop's own shortcuts, hold that window's pixels, and so does the painter's frozen screen.
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

// Whether picture shows the pattern at points of each of its colours, below the top rows where
// the parked toolbar may lie.
bool showsPattern(const QImage& picture, const QImage& pattern) {
    const QPoint points[] = {{50, 120}, {300, 300}, {1000, 600}, {1500, 601}, {1919, 1079}};
    if (picture.size() != pattern.size())
        return false;
    for (QPoint at : points)
        if (rgbAt(picture, at) != rgbAt(pattern, at))
            return false;
    return true;
}

void swaymsg(const std::string& command) {
    Process message({"swaymsg", command});
    EXPECT_EQ(message.waitForExit(), 0) << command << ": " << message.stderrText();
}

TEST_F(DesktopTest, CapturesAndThePainterHoldANativeWindowsPixelsWhereKeysRunBoundCommands) {
    const QImage pattern = colourPattern(QSize(1920, 1080));
    auto client = std::make_unique<Process>(std::vector<std::string>{VANTOR_COLOUR_CLIENT},
                                            std::vector<std::string>{"QT_QPA_PLATFORM=wayland"});
    ASSERT_TRUE(waitFor([&] { return showsPattern(waylandScreen(), pattern); }))
        << "the native client did not show";

    useImagesFolder();
    m_program = &launch({"LANG=en_US.UTF-8", "LC_ALL", "LC_MESSAGES", "QT_QPA_PLATFORM"});
    waitForWindow("frmToolbar");
    const std::string program = std::getenv("VANTOR_PROGRAM");
    swaymsg("bindsym ctrl+1 exec " + program + " --run capture-screen");
    // Typed into the native window, which has the focus; sway runs the bound command.
    Process typed({"wtype", "-M", "ctrl", "1", "-m", "ctrl"});
    ASSERT_EQ(typed.waitForExit(), 0) << typed.stderrText();
    EXPECT_TRUE(showsPattern(savedCapture(1), pattern));

    // The native window in front, as sway tells it, floated to a place and size of its own.
    swaymsg("[title=\"colour client\"] floating enable, resize set 800 600, move position 100 50");
    const QImage small = colourPattern(QSize(800, 600));
    ASSERT_TRUE(waitFor([&] {
        const QImage shown = waylandScreen();
        return rgbAt(shown, QPoint(100 + 150, 50 + 200)) == Red &&
               rgbAt(shown, QPoint(100 + 799, 50 + 599)) == rgbAt(small, QPoint(799, 599));
    })) << "the native client did not move";
    Process window({program, "--run", "capture-window"});
    ASSERT_EQ(window.waitForExit(), 0) << window.stderrText();
    const QImage front = savedCapture(2);
    EXPECT_EQ(front.size(), small.size());
    EXPECT_EQ(rgbAt(front, QPoint(150, 200)), Red);
    EXPECT_EQ(rgbAt(front, QPoint(799, 599)), rgbAt(small, QPoint(799, 599)));
    EXPECT_TRUE(savedFiles().at(1).contains("capture.window"));
    swaymsg("[title=\"colour client\"] floating disable");
    ASSERT_TRUE(waitFor([&] { return showsPattern(waylandScreen(), pattern); }));

    Process painter({program, "--run", "painter"});
    ASSERT_EQ(painter.waitForExit(), 0) << painter.stderrText();
    waitForWindow("frmScreenPainter");
    // With the native window gone, only the frozen screen still shows its pixels.
    client->stop();
    EXPECT_TRUE(waitFor([&] { return showsPattern(waylandScreen(), pattern); }));
    savePng(waylandScreen(), "painter");

    // The lens has no live copy here: it says so and opens nothing.
    Process lens({program, "--run", "lens"});
    ASSERT_EQ(lens.waitForExit(), 0);
    EXPECT_TRUE(waitFor([&] {
        return m_program->stderrText().find("The lens needs a live copy") != std::string::npos;
    }));
    EXPECT_TRUE(windowsOf(pid(), "frmZoom").empty());
    const std::string said = m_program->stderrText();
    EXPECT_TRUE(said.starts_with("vantor-screen-tools: a Wayland session (sway), so the tools run "
                                 "through XWayland: screen copies from the desktop's Screenshot "
                                 "portal;"))
        << said;
}

} // namespace
} // namespace vantor::desk
