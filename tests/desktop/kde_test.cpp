// The program on KDE Plasma's compositor with the desktop's services (KWin, XWayland, the KDE
// portal), under a native Wayland window that XWayland's copies cannot see: a whole-screen capture
// holds that window's pixels, through KWin's own screenshots, and so do the lens and the capture
// of the window in front; Ctrl+1 typed into the native window is the desktop's own global
// shortcut, bound through its portal; the real pointer at the top edge opens the toolbar.
#include "colourpattern.h"
#include "harness.h"

#include <QDir>
#include <QFile>

#include <cstdlib>

namespace vantor::desk {
namespace {

// The output as KWin shows it, native windows too, through KDE's own screenshot tool (grim
// needs wlroots' screencopy, which KWin does not offer).
QImage kwinScreen() {
    const std::string file = artifactDir() + "/spectacle.png";
    Process spectacle({"spectacle", "--background", "--nonotify", "--output", file},
                      {"QT_QPA_PLATFORM=wayland"});
    QImage shown;
    if (spectacle.waitForExit() == 0)
        shown.load(QString::fromStdString(file));
    return shown.convertToFormat(QImage::Format_RGB32);
}

class KdeTest : public DesktopTest {};

TEST_F(KdeTest, CapturesHoldANativeWindowsPixelsAndCtrl1TypedIntoItRunsTheCapture) {
    const QImage pattern = colourPattern(QSize(1920, 1080));
    // KWin answers the screenshots of a program whose desktop entry names its interface, as the
    // installed entry does; written before KWin first looks at the entries.
    const std::string program = std::getenv("VANTOR_PROGRAM");
    const QString entries = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/applications");
    QDir().mkpath(entries);
    QFile entry(entries + QStringLiteral("/vantor-screen-tools.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.write("[Desktop Entry]\nType=Application\nName=Vantor Screen Tools\nExec=" +
                QByteArray::fromStdString(program) +
                "\nX-KDE-DBUS-Restricted-Interfaces=org.kde.KWin.ScreenShot2\n");
    entry.close();
    Process client({VANTOR_COLOUR_CLIENT, "--full-screen"}, {"QT_QPA_PLATFORM=wayland"});
    ASSERT_TRUE(waitFor([&] { return showsPattern(kwinScreen(), pattern); }))
        << "the native client did not show";
    useImagesFolder();
    m_program = &launch({"LANG=en_US.UTF-8", "LC_ALL", "LC_MESSAGES", "QT_QPA_PLATFORM"});
    waitForWindow("frmToolbar");
    // KWin draws the program's windows in before the pattern is whole on the screen again.
    ASSERT_TRUE(waitFor([&] { return showsPattern(kwinScreen(), pattern); }));

    // As a shortcut of the desktop's runs it.
    Process second({program, "--run", "capture-screen"});
    ASSERT_EQ(second.waitForExit(), 0) << second.stderrText();
    EXPECT_TRUE(showsPattern(savedCapture(1), pattern));

    // Ctrl+1 typed into the native window, which has the focus: the key combinations are the
    // desktop's own shortcuts, bound through its GlobalShortcuts portal while the program started.
    // Linux key codes: the left Control key and the digit 1.
    Process typed({VANTOR_FAKE_INPUT, "keys", "29", "2"});
    ASSERT_EQ(typed.waitForExit(), 0) << typed.stderrText();
    EXPECT_TRUE(showsPattern(savedCapture(2), pattern));

    // The lens, over the client as a plain window in the middle of the output (KWin keeps a full
    // screen window above windows kept on top), magnifies the blue under XWayland's pointer in
    // front of the client's red block, which shows through it: the lens is translucent.
    client.stop();
    Process windowed({VANTOR_COLOUR_CLIENT}, {"QT_QPA_PLATFORM=wayland"});
    const QPoint overBlue(700, 400);
    const unsigned blue = rgbAt(pattern, QPoint(0, 0));
    ASSERT_TRUE(waitFor([&] {
        const QImage shown = kwinScreen();
        return rgbAt(shown, overBlue) == blue && rgbAt(shown, QPoint(960, 540)) == Red;
    }));

    // That window is the one in front, as KWin tells: its frame, title bar and all.
    Process window({program, "--run", "capture-window"});
    ASSERT_EQ(window.waitForExit(), 0) << window.stderrText();
    const QImage front = savedCapture(3);
    const QImage small = colourPattern(QSize(640, 480));
    const int title = front.height() - small.height();
    EXPECT_EQ(front.width(), small.width());
    EXPECT_EQ(front.copy(0, title, 640, 480), small) << "title bar " << title;
    EXPECT_TRUE(savedFiles().at(2).contains("capture.window"));

    // The real pointer, which XWayland follows only over its own windows, as KWin tells it.
    const auto movePointer = [](QPoint to) {
        Process input({VANTOR_FAKE_INPUT, "move", std::to_string(to.x()), std::to_string(to.y())});
        ASSERT_EQ(input.waitForExit(), 0) << input.stderrText();
    };
    movePointer(overBlue);
    Process lens({program, "--run", "lens"});
    ASSERT_EQ(lens.waitForExit(), 0) << lens.stderrText();
    const QPoint middle = waitForWindow("frmZoom").rect.center();
    EXPECT_TRUE(waitFor([&] { return qBlue(rgbAt(kwinScreen(), middle)) >= qBlue(blue) / 2; }));
    savePng(kwinScreen(), "lens");

    // Touching the top edge opens the toolbar; leaving it for the native window closes it.
    movePointer(QPoint(960, 0));
    waitForWindow("frmToolbar", [](const QRect& at) { return at.top() == 0; });
    movePointer(QPoint(960, 540));
    waitForWindow("frmToolbar", [](const QRect& at) { return at.top() < 0; });
    // With the pointer still over the client's blue, the lens sees the client go: the black
    // desktop, not the blue it copied last, however translucent it is.
    movePointer(overBlue);
    EXPECT_TRUE(waitFor([&] { return qBlue(rgbAt(kwinScreen(), middle)) >= qBlue(blue) / 2; }));
    windowed.stop();
    EXPECT_TRUE(waitFor([&] { return qBlue(rgbAt(kwinScreen(), middle)) < qBlue(blue) / 4; }))
        << savePng(kwinScreen(), "lens-after-the-client");

    const std::string said = m_program->stderrText();
    const std::string first = said.substr(0, said.find('\n'));
    EXPECT_NE(first.find("screen copies from KWin's screenshots"), std::string::npos) << said;
    EXPECT_NE(first.find("key combinations from the desktop's GlobalShortcuts portal"),
              std::string::npos)
        << said;
}

} // namespace
} // namespace vantor::desk
