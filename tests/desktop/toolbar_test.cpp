// The capture toolbar at the top edge of the screen, the global Ctrl+digit keys and the snapping
// of another program's window onto a guide, with that program (xmessage) in front and holding
// the keyboard. Real input on a real X server; results are read from the windows, their
// properties and the capture files written.
#include "harness.h"

#include <QFileInfo>

namespace vantor::desk {
namespace {

constexpr QRect OpenToolbar((1920 - 346) / 2, 0, 346, 57);
// Middles of the six picture buttons inside the toolbar.
constexpr QPoint button(int index) {
    return {6 + 58 * index + 24, 4 + 24};
}

// A capture file's name without the date, and the size of its picture.
using Capture = std::pair<QString, QSize>;
const Capture ScreenShot{"capture.screen.(1920x1080)", {1920, 1080}};
const Capture SectionShot{"capture.section.(473x277)", {473, 277}};

class ToolbarTest : public DesktopTest {
protected:
    void SetUp() override {
        useImagesFolder();
        launchDocked();
        ASSERT_TRUE(waitFor([&] {
            const auto found =
                findWindows([](const WindowInfo& w) { return w.instance == "xmessage"; });
            other = found.empty() ? 0 : found.front().id;
            return other != 0;
        })) << "xmessage did not show";
    }

    // Puts the other program in front with a click on its title bar.
    void bringOtherToFront() {
        const QRect frame = frameRect(other);
        click(QPoint(frame.center().x(), frame.top() + 8));
        ASSERT_TRUE(waitFor([&] { return activeWindow() == other; })) << activeWindow();
    }
    Capture otherShot() const { return {"capture.window", frameRect(other).size()}; }

    // Waits until the files saved are those expected before and then these, numbered from 01
    // in turn.
    ::testing::AssertionResult thenSaved(const std::vector<Capture>& captures) {
        for (const auto& [name, size] : captures)
            expected.emplace_back(
                QStringLiteral("%1) ").arg(expected.size() + 1, 2, 10, QLatin1Char('0')) + name,
                size);
        if (waitFor([&] { return saved() == expected; }))
            return ::testing::AssertionSuccess();
        auto failure = ::testing::AssertionFailure() << "saved:";
        for (const auto& [name, size] : saved())
            failure << " " << name.toStdString() << " " << size.width() << "x" << size.height();
        return failure;
    }
    std::vector<Capture> saved() const {
        std::vector<Capture> found;
        for (const QString& file : savedFiles())
            found.emplace_back(QFileInfo(file).fileName().section(QLatin1Char('.'), 0, -3),
                               QImage(file).size());
        return found;
    }

    Process xmessage{{"xmessage", "-geometry", "500x200+700+400", "another program"}};
    XWindow other = 0;
    std::vector<Capture> expected;
};

// Each Ctrl+digit is tapped between two looks at the keyboard and seen once, on the next look;
// the last one with the Control key let go too before that look. The window captured is the one
// in front at the key press, or when the toolbar began to open, not the toolbar.
TEST_F(ToolbarTest, CtrlDigitsAndTheTopEdgesToolbarDoTheirJobsWhileAnotherProgramIsInFront) {
    addPanelAt(QPoint(100, 250));
    bringOtherToFront();
    const Capture window = otherShot();
    holdKey("Control_L", true);
    key("1 2 3");
    EXPECT_TRUE(thenSaved({ScreenShot, window, SectionShot}));
    key("3");
    holdKey("Control_L", false);
    EXPECT_TRUE(thenSaved({SectionShot}));

    moveMouse(QPoint(OpenToolbar.center().x(), 0));
    waitForWindow("frmToolbar", OpenToolbar);
    savePng(screenshot(OpenToolbar.adjusted(-20, 0, 20, 20)), "open-toolbar");
    for (const int index : {1, 2, 0})
        click(OpenToolbar.topLeft() + button(index));
    EXPECT_TRUE(thenSaved({ScreenShot, window, SectionShot}));
    // The painter covers the screen and takes the keys; Escape closes it.
    click(OpenToolbar.topLeft() + button(4));
    const XWindow painter = waitForWindow("frmScreenPainter").id;
    EXPECT_TRUE(waitFor([&] { return activeWindow() == painter; }));
    key("Escape");
    EXPECT_TRUE(closed("frmScreenPainter"));
    click(OpenToolbar.topLeft() + button(3));
    waitForWindow("frmZoom");

    moveMouse(QPoint(OpenToolbar.center().x(), 300));
    waitForWindow("frmToolbar", OpenToolbar.translated(0, -58));
}

// With nothing going on the program does not look at the keyboard; a key's press wakes it. A held
// combination runs again on each tick until it is let go, a quick tap runs once.
TEST_F(ToolbarTest, AHeldCombinationRepeatsAndAQuickTapRunsOnce) {
    bringOtherToFront();
    holdKey("Control_L", true);
    holdKey("1", true);
    EXPECT_TRUE(waitFor([&] { return savedFiles().size() >= 3; }));
    holdKey("1", false);
    holdKey("Control_L", false);
    qsizetype held = 0;
    ASSERT_TRUE(waitFor([&] {
        held = savedFiles().size();
        return holdsFor([&] { return savedFiles().size() == held; }, 300ms);
    }));
    key("Control_L+1");
    EXPECT_TRUE(waitFor([&] { return savedFiles().size() == held + 1; }));
    EXPECT_TRUE(holdsFor([&] { return savedFiles().size() == held + 1; }, 500ms));
}

TEST_F(ToolbarTest, AnotherProgramsWindowInFrontSnapsItsLeftEdgeOntoAGuide) {
    const int line = addFromTray(AddGuide, "frmGridLine").rect.left() + GuideStrip / 2;
    bringOtherToFront();
    const QRect start = frameRect(other);
    // Snapped, the left edge lies on the line and the right and bottom edges stay put.
    moveFrame(other, QPoint(line - 10, start.top()));
    const QRect snapped(QPoint(line, start.top()),
                        QPoint(line - 10 + start.width() - 1, start.bottom()));
    EXPECT_TRUE(waitFor([&] { return frameRect(other) == snapped; })) << frameRect(other);
    moveFrame(other, QPoint(line - 13, start.top()));
    ASSERT_TRUE(waitFor([&] { return frameRect(other).left() == line - 13; }));
    EXPECT_TRUE(holdsFor([&] { return frameRect(other).left() == line - 13; }, 500ms));
}

// Opened from the toolbar, the section capture's black layer lies over the toolbar, which stays
// open under the resting pointer.
TEST_F(ToolbarTest, TheSectionCaptureCoversTheToolbarThePointerRestsOn) {
    const XWindow section = openSectionCapture(OpenToolbar.center().x()).id;
    EXPECT_TRUE(waitFor([&] {
        return windowsOf(pid()).back().id == section &&
               rgbAt(screenshot(OpenToolbar), QPoint(20, 20)) == 0;
    })) << windowsOf(pid()).back().role;
    key("Escape");
}

} // namespace
} // namespace vantor::desk
