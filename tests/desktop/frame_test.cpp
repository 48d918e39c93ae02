// Section panels added from the tray menu, dragged and grown over another program's window and
// snapped into image files, with real input on a real X server and its compositor.
// And snaps that cannot be written: the images folder on a read-only file system, or on one too
// full for the file. The user is told why, no file or part of one is left, and the numbering goes
// on as if the failed snap had never been; mounting needs root. And the native screen copy that
// snaps go through: a window of another client shows a known pattern, and the copy must give back
// exactly its pixels, black beyond the screen.
#include "harness.h"

#include "platform/desktop.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace vantor::desk {
namespace {

// Where a panel lies under the middle of the screen, where dialogs and message boxes open.
constexpr QPoint DialogCover(740, 330);

// Stops the session's compositor, as a machine under heavy load starves it; it goes on when the
// guard returned goes, however the test ends.
std::shared_ptr<void> stopCompositor() {
    const char* text = std::getenv("VANTOR_COMPOSITOR_PID");
    const pid_t pid = text != nullptr ? std::atoi(text) : 0;
    std::string name;
    std::ifstream("/proc/" + std::to_string(pid) + "/comm") >> name;
    if (pid <= 0 || name != "picom" || ::kill(pid, SIGSTOP) != 0)
        throw std::runtime_error("VANTOR_COMPOSITOR_PID does not name the running picom");
    return {nullptr, [pid](void*) { ::kill(pid, SIGCONT); }};
}

using FrameTest = DesktopTest;

// The second snap is taken over the first one's picture, under the panel's border and labels, and
// with the compositor starved: under load it takes a long time to draw the screen without the
// panel, and a snap that stopped waiting for it saved the panel's own yellow.
TEST_F(FrameTest, SnapSavesWhatLiesUnderThePanelNotThePanelAlsoUnderAStarvedCompositor) {
    useImagesFolder();
    const WindowInfo panel = launchWithPanelOverPattern();
    EXPECT_EQ(snap(panel, 1), m_underPanel) << "not the pattern under the panel";
    ASSERT_TRUE(waitFor([&] { return screenshot(panel.rect) != m_underPanel; }))
        << "the screen does not show the panel again";
    std::shared_ptr<void> stopped = stopCompositor();
    click(panel.rect.topLeft() + SnapButton);
    // Nothing draws the screen anew: it shows the panel still, and nothing may be saved yet.
    EXPECT_TRUE(holdsFor([&] { return savedFiles(true).size() == 1; }, 500ms));
    stopped.reset();
    // A save that gave up says so in a message box instead.
    ASSERT_TRUE(waitFor([&] { return savedFiles().size() == 2; }))
        << (windowsOf(pid(), "Save image").empty() ? "no file" : "the save failed");
    const QImage saved = savedCapture(2);
    EXPECT_EQ(saved, m_underPanel)
        << "not the pattern under the panel; at (20, 20) it is " << std::hex
        << rgbAt(saved, QPoint(20, 20)) << " (a yellow tint is the panel's)";
}

// With no images folder set, the first snap asks for one. The dialog comes up above the panel,
// which stays on top of every other program, and clicks on it where the panel lies reach it.
TEST_F(FrameTest, FolderDialogOfTheFirstSnapLiesAboveThePanelAndTakesItsClicks) {
    setImagesFolder({});
    const QString pictures = qEnvironmentVariable("HOME") + QStringLiteral("/Pictures");
    ASSERT_TRUE(QDir().mkpath(pictures));
    launchDocked();
    const WindowInfo panel = addPanelAt(DialogCover);
    // Grown by its handle over most of the middle of the screen, where the dialog opens. The
    // corner ends 2 pixels short of the pointer, which grabbed the handle 2 pixels in.
    drag(DialogCover + ResizeHandle, DialogCover + ResizeHandle + QPoint(62, 82), 12);
    const QRect under(DialogCover, PanelSize + QSize(60, 80));
    ASSERT_TRUE(waitFor([&] { return windowRect(panel.id) == under; }));
    click(DialogCover + SnapButton + QPoint(60, 80));

    const QRect dialog = waitForWindow("Set path for saved images").rect;
    QRect entry, choose;
    // The dialog may still be filling its list when it is first seen.
    ASSERT_TRUE(waitFor([&] {
        const QImage shot = screenshot(dialog);
        entry = ocrFind(shot, "Pictures").translated(dialog.topLeft());
        choose = ocrFind(shot, "Choose").translated(dialog.topLeft());
        return !entry.isEmpty() && !choose.isEmpty();
    })) << "the dialog's list or button does not show";
    savePng(screenshot(), "folder-dialog-over-panel");
    ASSERT_TRUE(under.contains(entry.center()) && under.contains(choose.center()))
        << "the panel must lie under what is clicked; dialog at " << dialog;

    // A click on the entry puts its name into the Directory field too.
    click(entry.center());
    ASSERT_TRUE(waitFor([&] { return ocr(screenshot(dialog)).count("Pictures") >= 2; }))
        << "the click on the list did not reach the dialog";
    click(choose.center());
    ASSERT_TRUE(waitFor([&] { return bitmapsBelow(pictures).size() == 1; }))
        << "no capture in the folder chosen";
    EXPECT_TRUE(closed("Set path for saved images"));
}

struct FailCase {
    std::string options; // of the tmpfs mounted on the images folder
    QString reason;      // what the message box says after the program's own text
};

class CaptureFailTest : public DesktopTest, public ::testing::WithParamInterface<FailCase> {};

TEST_P(CaptureFailTest, FailedSaveIsReportedLeavesNoFileAndKeepsTheNumber) {
    if (geteuid() != 0)
        GTEST_SKIP() << "this test mounts small file systems and needs root; run it as root (CI "
                        "does)";
    useImagesFolder();
    const std::string path = images().toStdString();
    ASSERT_EQ(
        Process({"mount", "-t", "tmpfs", "-o", GetParam().options, "tmpfs", path}).waitForExit(),
        0);
    // However the test ends; a file system still busy is detached at once, let go when free.
    const std::shared_ptr<void> unmount(nullptr, [&](void*) {
        Process({"umount", "-l", path}).waitForExit();
    });
    launchDocked();
    const WindowInfo panel = addFromTray(AddPanel, "frmFrame");

    click(panel.rect.topLeft() + SnapButton);
    const QRect box = waitForWindow("Save image").rect;
    QString text;
    // The box may still be drawing its text when it is first seen.
    EXPECT_TRUE(waitFor([&] {
        text = ocr(screenshot(box)).simplified();
        return text.contains("Invalid path for save image") && text.contains(GetParam().reason);
    })) << text;
    key("Return");
    EXPECT_TRUE(closed("Save image"));
    EXPECT_EQ(savedFiles(true), QStringList());

    // Once the folder takes files again, the next snap is still the first.
    ASSERT_EQ(Process({"umount", path}).waitForExit(), 0);
    snap(panel, 1);
    const QString name = QFileInfo(savedFiles().front()).fileName();
    EXPECT_TRUE(name.startsWith("01) capture.section.(473x277).")) << name;
}

// A panel's capture is a 473 x 277 bitmap of about 390 KB: far more than 64 KB hold.
INSTANTIATE_TEST_SUITE_P(ReadOnlyAndFull, CaptureFailTest,
                         ::testing::Values(FailCase{"ro,size=1m", "Read-only file system"},
                                           FailCase{"size=64k", "No space left on device"}));

// The native screen copy that snaps go through, against another client's window of known pixels.
TEST(ScreenCopy, CopiesThePixelsExactlyAtAnySizeAndGivesBlackBeyondTheScreen) {
    const PatternWindow pattern(QRect(200, 150, 320, 240), 0x0000ff,
                                {{QRect(10, 10, 50, 30), 0xff0000},
                                 {QRect(100, 50, 1, 100), 0x00ff00},
                                 {QRect(200, 200, 3, 3), 0xffffff},
                                 {QRect(0, 239, 320, 1), 0xffff00}});
    const QRect placed = pattern.shown();
    const QImage whole = pattern.expected();
    const std::unique_ptr<Desktop> native = createNativeDesktop();
    EXPECT_EQ(native->grabScreen(placed.adjusted(9, 9, -100, -50)),
              whole.copy(whole.rect().adjusted(9, 9, -100, -50)));
    // The shared segment is reused across sizes: a small copy after a large one must not show
    // the large one's rows.
    EXPECT_EQ(native->grabScreen(QRect(placed.topLeft() + QPoint(100, 50), QSize(1, 100))),
              whole.copy(100, 50, 1, 100));
    EXPECT_EQ(native->grabScreen(placed), whole);

    QImage across(16, 16, QImage::Format_RGB32), beyond(5, 3, QImage::Format_RGB32);
    across.fill(Qt::black);
    beyond.fill(Qt::black);
    QPainter(&across).drawImage(8, 8, native->grabScreen(QRect(0, 0, 8, 8)));
    EXPECT_EQ(native->grabScreen(QRect(-8, -8, 16, 16)), across);
    EXPECT_EQ(native->grabScreen(QRect(100000, 100000, 5, 3)), beyond);
}

} // namespace
} // namespace vantor::desk
