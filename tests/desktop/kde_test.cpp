// The program on KDE Plasma's compositor with the desktop's services (KWin, XWayland, the KDE
// portal), under a native Wayland window that XWayland's copies cannot see: a whole-screen capture
// holds that window's pixels, through the desktop's Screenshot portal.
#include "colourpattern.h"
#include "harness.h"

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

TEST_F(KdeTest, AScreenCaptureHoldsANativeWindowsPixelsThroughThePortal) {
    const QImage pattern = colourPattern(QSize(1920, 1080));
    Process client({VANTOR_COLOUR_CLIENT, "--full-screen"}, {"QT_QPA_PLATFORM=wayland"});
    ASSERT_TRUE(waitFor([&] { return showsPattern(kwinScreen(), pattern); }))
        << "the native client did not show";
    useImagesFolder();
    m_program = &launch({"LANG=en_US.UTF-8", "LC_ALL", "LC_MESSAGES", "QT_QPA_PLATFORM"});
    waitForWindow("frmToolbar");

    // As a shortcut of the desktop's runs it.
    Process second({std::getenv("VANTOR_PROGRAM"), "--run", "capture-screen"});
    ASSERT_EQ(second.waitForExit(), 0) << second.stderrText();
    EXPECT_TRUE(showsPattern(savedCapture(1), pattern));
    const std::string said = m_program->stderrText();
    const std::string first = said.substr(0, said.find('\n'));
    EXPECT_NE(first.find("screen copies from the desktop's Screenshot portal"), std::string::npos)
        << said;
}

} // namespace
} // namespace vantor::desk
